#pragma once

#include <array>
#include <string_view>

namespace corvane::stress {

// Names in the sample tag database (data/tags.csv), whose lookups find a value.
inline constexpr std::array<std::u16string_view, 20> kKnownTagNames = {
    u"10PT101", u"10PT102", u"10TT101", u"10FT101", u"10LT101", u"10LIC101", u"01TIC200", u"01FIC200",
    u"01LIC7",  u"02PT301", u"02AT301", u"FIC101",  u"TIC101",  u"PIC101",   u"LIC101",   u"TIC101.PV",
    u"FIC101.PV", u"PIC101.PV", u"LIC101.PV", u"TIC101.SP",
};

}  // namespace corvane::stress
