#pragma once

#include <string>

namespace corvane::automation {

// The user's regional settings as the core needs them. The system's own
// implementation lives in the platform adapter; tests use FixedRegionalSettings.
class RegionalSettings {
public:
    virtual ~RegionalSettings() = default;
    virtual char16_t decimalSeparator() const = 0;
    virtual char16_t groupSeparator() const = 0;
    // The abbreviated name of month 1..12 ("Jan" to "Dec" in English).
    virtual std::u16string monthAbbreviation(int month) const = 0;
};

// Settings given as plain values: English and German ready-made.
class FixedRegionalSettings final : public RegionalSettings {
public:
    FixedRegionalSettings(char16_t decimalSeparator, char16_t groupSeparator, const char16_t* const (&months)[12]);

    static const FixedRegionalSettings& english();
    static const FixedRegionalSettings& german();

    char16_t decimalSeparator() const override { return decimal_; }
    char16_t groupSeparator() const override { return group_; }
    std::u16string monthAbbreviation(int month) const override;

private:
    char16_t decimal_;
    char16_t group_;
    std::u16string months_[12];
};

}  // namespace corvane::automation
