#include "TextIndexKey.h"

#include "GeneralSortCodes.h"

#include <cstdio>
#include <iterator>
#include <string>

namespace corvane::jet {
namespace {

constexpr std::size_t kKeyedUnits = 255;
constexpr std::uint8_t kEndOfText = 0x01;
constexpr std::uint8_t kEndOfKey = 0x00;
constexpr std::uint8_t kNoExtraCode = 0x02;      // stands in for a character without extra codes
constexpr std::uint8_t kUnprintableMark = 0x06;
constexpr std::uint16_t kUnprintableOffsetFlag = 0x8000;
constexpr std::uint8_t kFlagsByte = 0x80;        // three two-bit flags below it
constexpr std::uint8_t kFlagsEnd[] = {0xFF, 0x02, 0x80, 0xFF, 0x80};
constexpr std::uint8_t kTrailingFlag = 3;        // the flag that need not be written at the end

// The extra codes after the text: one entry per character with inline codes
// up to the last that has any.
struct ExtraCodes {
    bool started = false;
    std::vector<std::uint8_t> bytes;
    std::size_t characters = 0;  // characters the bytes account for
    std::size_t leadingModifiers = 0;  // a modifier written before any code

    void reach(std::size_t position)
    {
        started = true;
        if (characters < position) {
            bytes.insert(bytes.end(), position - characters, kNoExtraCode);
            characters = position;
        }
    }
};

bool startsPair(std::u16string_view text, std::size_t at)
{
    return text[at] >= 0xD800 && text[at] < 0xDC00 && at + 1 < text.size() && text[at + 1] >= 0xDC00 && text[at + 1] < 0xE000;
}

char32_t characterAt(std::u16string_view text, std::size_t at)
{
    if (startsPair(text, at)) return 0x10000 + ((text[at] - 0xD800) << 10) + (text[at + 1] - 0xDC00);
    return text[at];
}

std::string describe(char32_t character)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(character));
    return hex;
}

}  // namespace

NoSortCode::NoSortCode(std::u16string_view text, std::size_t at)
    : std::runtime_error(describe(characterAt(text, at)) + " has no place in the General sort order"),
      character_(characterAt(text, at)), units_(text.substr(at, startsPair(text, at) ? 2 : 1))
{
}

void appendTextIndexKey(std::vector<std::uint8_t>& key, std::u16string_view text)
{
    const GeneralSortCodes& table = GeneralSortCodes::instance();
    text = text.substr(0, kKeyedUnits);

    ExtraCodes extra;
    std::vector<std::uint8_t> unprintable;
    std::vector<std::uint8_t> flags;
    std::size_t inlineCharacters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const SortCode* code = table.find(text[at]);
        if (!code) throw NoSortCode(text, at);
        const std::size_t position = inlineCharacters;
        const auto codes = code->inlineCodes.view();
        if (!codes.empty()) {
            key.insert(key.end(), codes.begin(), codes.end());
            ++inlineCharacters;
        }
        switch (code->kind) {
        case SortCode::Kind::Simple:
        case SortCode::Kind::Ignored: break;
        case SortCode::Kind::International:
        case SortCode::Kind::ExtendedInternational:
            if (code->extraCodes.size > 0) {
                extra.reach(position);
                const auto more = code->extraCodes.view();
                extra.bytes.insert(extra.bytes.end(), more.begin(), more.end());
                ++extra.characters;
            }
            if (code->kind == SortCode::Kind::ExtendedInternational) flags.push_back(code->flag);
            break;
        case SortCode::Kind::Combining:
            // Changes the extra code of the character before it.
            extra.reach(position);
            if (extra.bytes.empty()) {
                extra.bytes.push_back(code->modifier);
                extra.leadingModifiers = 1;
            } else {
                extra.bytes.back() = static_cast<std::uint8_t>(extra.bytes.back() + code->modifier);
            }
            break;
        case SortCode::Kind::Unprintable: {
            // Its place counts the extra codes as if they were all written out.
            const std::size_t place = extra.started ? extra.bytes.size() + (position - extra.characters) - extra.leadingModifiers
                                                    : position;
            const auto offset = static_cast<std::uint16_t>((7 + 4 * place) | kUnprintableOffsetFlag);
            unprintable.push_back(static_cast<std::uint8_t>(offset >> 8));
            unprintable.push_back(static_cast<std::uint8_t>(offset));
            unprintable.push_back(kUnprintableMark);
            const auto more = code->unprintableCodes.view();
            unprintable.insert(unprintable.end(), more.begin(), more.end());
            break;
        }
        }
    }

    key.push_back(kEndOfText);
    while (!extra.bytes.empty() && extra.bytes.back() <= kNoExtraCode) extra.bytes.pop_back();
    key.insert(key.end(), extra.bytes.begin(), extra.bytes.end());
    if (!flags.empty() || !unprintable.empty()) {
        key.push_back(kEndOfText);
        key.push_back(kEndOfText);
        if (!flags.empty()) {
            while (!flags.empty() && flags.back() == kTrailingFlag) flags.pop_back();
            for (std::size_t i = 0; i < flags.size(); i += 3) {
                std::uint8_t packed = kFlagsByte;
                for (std::size_t k = 0; k < 3 && i + k < flags.size(); ++k)
                    packed = static_cast<std::uint8_t>(packed | flags[i + k] << (2 * (2 - k)));
                key.push_back(packed);
            }
            key.insert(key.end(), std::begin(kFlagsEnd), std::end(kFlagsEnd));
            if (!unprintable.empty()) key.push_back(0xFF);
        }
        if (!unprintable.empty()) {
            key.push_back(kEndOfText);
            key.insert(key.end(), unprintable.begin(), unprintable.end());
        }
    }
    key.push_back(kEndOfKey);
}

}  // namespace corvane::jet
