#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace corvane::jet {

// What one UTF-16 code unit contributes to a text index key in the General
// sort order (sortorder/README.md describes the kinds).
struct SortCode {
    enum class Kind : std::uint8_t { Simple, International, Unprintable, Combining, ExtendedInternational, Ignored };

    // Up to a few bytes, as the tables give them.
    struct Codes {
        std::array<std::uint8_t, 4> bytes{};
        std::uint8_t size = 0;
        std::span<const std::uint8_t> view() const { return {bytes.data(), size}; }
    };

    Kind kind = Kind::Ignored;
    Codes inlineCodes;       // Simple, International, ExtendedInternational
    Codes extraCodes;        // International, ExtendedInternational (may be empty)
    Codes unprintableCodes;  // Unprintable
    std::uint8_t modifier = 0;  // Combining
    std::uint8_t flag = 0;      // ExtendedInternational: 2 or 3
};

// The embedded code tables, read once. Surrogate code units have no code:
// the engine's tables leave them out, so a key over one cannot be known.
class GeneralSortCodes {
public:
    static const GeneralSortCodes& instance();

    // The code of `unit`, or nullptr for a surrogate.
    const SortCode* find(char16_t unit) const;

    // Reads tables in the embedded format; throws std::runtime_error for a
    // line it cannot read or a wrong number of lines.
    GeneralSortCodes(std::string_view basicLines, std::string_view extendedLines);

private:
    std::vector<SortCode> codes_;  // by code unit, surrogates left as Ignored
};

}  // namespace corvane::jet
