#include "DateParse.h"

#include "AutomationDate.h"
#include "AutomationError.h"
#include "CaseFold.h"

namespace corvane::automation::date {
namespace {

// A small cursor over the text; every reader leaves it unchanged on failure.
class Reader {
public:
    explicit Reader(std::u16string_view text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }
    void skipBlanks()
    {
        while (pos_ < text_.size() && (text_[pos_] == u' ' || text_[pos_] == u'\t')) ++pos_;
    }
    bool take(char16_t c)
    {
        if (pos_ < text_.size() && text_[pos_] == c) return ++pos_, true;
        return false;
    }
    // 1 to maxDigits decimal digits.
    bool number(int maxDigits, int& out)
    {
        std::size_t p = pos_;
        int value = 0, count = 0;
        while (p < text_.size() && count < maxDigits && text_[p] >= u'0' && text_[p] <= u'9') {
            value = value * 10 + (text_[p++] - u'0');
            ++count;
        }
        if (count == 0) return false;
        out = value;
        pos_ = p;
        return true;
    }
    bool month(const RegionalSettings& regional, int& out)
    {
        for (int m = 1; m <= 12; ++m) {
            const std::u16string name = regional.monthAbbreviation(m);
            if (!name.empty() && equalIgnoringCase(text_.substr(pos_, name.size()), name)) {
                pos_ += name.size();
                out = m;
                return true;
            }
        }
        return false;
    }
    std::size_t position() const { return pos_; }
    void rewind(std::size_t to) { pos_ = to; }

private:
    std::u16string_view text_;
    std::size_t pos_ = 0;
};

bool readDate(Reader& r, const RegionalSettings& regional, LocalDateTime& out)
{
    const std::size_t start = r.position();
    int a = 0, b = 0, c = 0;
    if (r.number(4, a)) {
        if (r.take(u'-') && r.number(2, b) && r.take(u'-') && r.number(2, c)) {  // yyyy-mm-dd
            out.year = a, out.month = b, out.day = c;
            return true;
        }
        r.rewind(start);
        r.number(2, a);
        if (r.take(u'/') && r.number(2, b) && r.take(u'/') && r.number(4, c)) {  // dd/mm/yyyy
            out.day = a, out.month = b, out.year = c;
            return true;
        }
        r.rewind(start);
        r.number(2, a);
        r.skipBlanks();
        if (r.month(regional, b)) {  // dd mmm yyyy
            r.skipBlanks();
            if (r.number(4, c)) {
                out.day = a, out.month = b, out.year = c;
                return true;
            }
        }
    }
    r.rewind(start);
    return false;
}

bool readTime(Reader& r, LocalDateTime& out)
{
    const std::size_t start = r.position();
    int h = 0, m = 0, s = 0;
    if (r.number(2, h) && r.take(u':') && r.number(2, m)) {
        if (r.take(u':') && !r.number(2, s)) {
            r.rewind(start);
            return false;
        }
        out.hour = h, out.minute = m, out.second = s;
        return true;
    }
    r.rewind(start);
    return false;
}

}  // namespace

std::optional<double> parse(std::u16string_view text, const RegionalSettings& regional)
{
    Reader r(text);
    LocalDateTime value;
    r.skipBlanks();
    const bool hasDate = readDate(r, regional, value);
    r.skipBlanks();
    const bool hasTime = readTime(r, value);
    r.skipBlanks();
    if ((!hasDate && !hasTime) || !r.atEnd()) return std::nullopt;
    try {
        return fromLocal(value);
    } catch (const AutomationError&) {
        return std::nullopt;
    }
}

}  // namespace corvane::automation::date
