#pragma once

#include "automation/RegionalSettings.h"

namespace corvane::win32 {

// The regional settings of the user, read from the system once.
class WindowsRegionalSettings final : public automation::RegionalSettings {
public:
    WindowsRegionalSettings();

    char16_t decimalSeparator() const override { return decimal_; }
    char16_t groupSeparator() const override { return group_; }
    std::u16string monthAbbreviation(int month) const override;

private:
    char16_t decimal_;
    char16_t group_;
    std::u16string months_[12];
};

}  // namespace corvane::win32
