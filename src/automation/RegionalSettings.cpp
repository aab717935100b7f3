#include "RegionalSettings.h"

namespace corvane::automation {
namespace {

// Plain pointers, not strings: these are read during other files' static
// initialisation, before dynamic initialisers here would have run.
constexpr const char16_t* kEnglishMonths[12] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                           u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
constexpr const char16_t* kGermanMonths[12] = {u"Jan", u"Feb", u"Mär", u"Apr", u"Mai", u"Jun",
                                          u"Jul", u"Aug", u"Sep", u"Okt", u"Nov", u"Dez"};

}  // namespace

FixedRegionalSettings::FixedRegionalSettings(char16_t decimalSeparator, char16_t groupSeparator,
                                             const char16_t* const (&months)[12])
    : decimal_(decimalSeparator), group_(groupSeparator)
{
    for (int i = 0; i < 12; ++i) months_[i] = months[i];
}

const FixedRegionalSettings& FixedRegionalSettings::english()
{
    static const FixedRegionalSettings settings(u'.', u',', kEnglishMonths);
    return settings;
}

const FixedRegionalSettings& FixedRegionalSettings::german()
{
    static const FixedRegionalSettings settings(u',', u'.', kGermanMonths);
    return settings;
}

std::u16string FixedRegionalSettings::monthAbbreviation(int month) const
{
    return month >= 1 && month <= 12 ? months_[month - 1] : std::u16string();
}

}  // namespace corvane::automation
