#pragma once

#include "automation/RegionalSettings.h"

#include <QLocale>

namespace corvane::platform {

// The regional settings of the user, read from the process locale once.
class SystemRegionalSettings final : public automation::RegionalSettings {
public:
    explicit SystemRegionalSettings(const QLocale& locale = QLocale::system());

    char16_t decimalSeparator() const override { return decimal_; }
    char16_t groupSeparator() const override { return group_; }
    std::u16string monthAbbreviation(int month) const override;

private:
    char16_t decimal_;
    char16_t group_;
    std::u16string months_[12];
};

}  // namespace corvane::platform
