#include "AutomationError.h"

#include "HResult.h"

namespace corvane::automation {
namespace {

std::string toUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

AutomationError::AutomationError(std::int32_t code, std::u16string description, std::u16string source)
    : hresult_(code), description_(std::move(description)), source_(std::move(source)), what_(toUtf8(description_))
{
}

AutomationError AutomationError::fromNumber(int number)
{
    return AutomationError(hresult::fromErrorNumber(number), standardDescription(number));
}

AutomationError AutomationError::fromNumber(int number, std::u16string description)
{
    return AutomationError(hresult::fromErrorNumber(number), std::move(description));
}

int AutomationError::number() const
{
    const auto code = static_cast<std::uint32_t>(hresult_);
    return (code & 0xFFFF0000u) == 0x800A0000u ? static_cast<int>(code & 0xFFFFu) : 0;
}

std::u16string standardDescription(int number)
{
    switch (number) {
    case error::kInvalidProcedureCall: return u"Invalid procedure call or argument";
    case error::kOverflow: return u"Overflow";
    case error::kOutOfMemory: return u"Out of memory";
    case error::kSubscriptOutOfRange: return u"Subscript out of range";
    case error::kDivisionByZero: return u"Division by zero";
    case error::kTypeMismatch: return u"Type mismatch";
    case error::kObjectNotSet: return u"Object variable or With block variable not set";
    case error::kInvalidUseOfNull: return u"Invalid use of Null";
    case error::kObjectDoesNotSupport: return u"Object doesn't support this property or method";
    case error::kKeyAlreadyAssociated: return u"This key is already associated with an element of this collection";
    default: return u"Application-defined or object-defined error";
    }
}

void raiseError(int number) { throw AutomationError::fromNumber(number); }

}  // namespace corvane::automation
