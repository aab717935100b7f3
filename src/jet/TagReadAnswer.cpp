#include "TagReadAnswer.h"

#include "automation/SafeArray.h"

#include <cstring>
#include <memory>

namespace corvane::jet {
namespace {

using automation::Variant;
using automation::VarType;

constexpr char kMarker[4] = {'C', 'V', 'T', '1'};
enum Kind : std::uint8_t { kFailure = 0, kTableNames = 1, kTable = 2, kDump = 3 };
constexpr std::uint16_t kByteArray = automation::kArrayFlag | automation::code(VarType::UI1);
constexpr std::uint8_t kBytesTag = 0xFF;  // in place of a type code: the one array type, bytes from 0

class Writer {
public:
    template <class T>
    void put(T value)
    {
        char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));  // the reader runs on this machine: native order
        out_.append(bytes, sizeof(T));
    }
    void text(std::u16string_view text)
    {
        put(static_cast<std::uint32_t>(text.size()));
        // The units in native order, as put() writes them one by one.
        out_.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
    }
    void reserve(std::size_t bytes) { out_.reserve(bytes); }
    void bytes(std::string_view text)
    {
        put(static_cast<std::uint32_t>(text.size()));
        out_.append(text);
    }
    void value(const Variant& v)
    {
        if (v.vt() == kByteArray) {
            put(kBytesTag);
            const auto& elements = v.array()->elements<std::uint8_t>();
            bytes({reinterpret_cast<const char*>(elements.data()), elements.size()});
            return;
        }
        put(static_cast<std::uint8_t>(v.vt()));
        switch (v.type()) {
        case VarType::Bool: put(static_cast<std::uint8_t>(v.boolean())); break;
        case VarType::UI1: put(v.ui1()); break;
        case VarType::I2: put(v.i2()); break;
        case VarType::I4: put(v.i4()); break;
        case VarType::Currency: put(v.currency()); break;
        case VarType::R4: put(v.r4()); break;
        case VarType::R8: put(v.r8()); break;
        case VarType::Date: put(v.date()); break;
        case VarType::String: text(v.string()); break;
        default: break;  // Null carries nothing
        }
    }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    template <class T>
    bool get(T& value)
    {
        if (bytes_.size() - at_ < sizeof(T)) return false;
        std::memcpy(&value, bytes_.data() + at_, sizeof(T));
        at_ += sizeof(T);
        return true;
    }
    // A count of things each at least `smallest` bytes long, refused when
    // the bytes left could not hold them (so no count makes us allocate).
    bool count(std::uint32_t& n, std::size_t smallest)
    {
        return get(n) && n <= (bytes_.size() - at_) / smallest;
    }
    bool text(std::u16string& out)
    {
        std::uint32_t length = 0;
        if (!count(length, 2)) return false;
        out.resize(length);
        std::memcpy(out.data(), bytes_.data() + at_, std::size_t{length} * sizeof(char16_t));
        at_ += std::size_t{length} * sizeof(char16_t);
        return true;
    }
    bool bytes(std::string& out)
    {
        std::uint32_t length = 0;
        if (!count(length, 1)) return false;
        out.assign(bytes_.data() + at_, length);
        at_ += length;
        return true;
    }
    bool value(Variant& out)
    {
        std::uint8_t vt = 0;
        if (!get(vt)) return false;
        if (vt == kBytesTag) {
            std::string raw;
            if (!bytes(raw)) return false;
            out = Variant::array(std::make_shared<automation::SafeArray>(VarType::UI1, 0, std::vector<std::uint8_t>(raw.begin(), raw.end())));
            return true;
        }
        switch (static_cast<VarType>(vt)) {
        case VarType::Null: out = Variant::null(); return true;
        case VarType::Bool: return read<std::uint8_t>(out, [](std::uint8_t b) { return Variant::boolean(b != 0); });
        case VarType::UI1: return read<std::uint8_t>(out, [](std::uint8_t b) { return Variant(b); });
        case VarType::I2: return read<std::int16_t>(out, [](std::int16_t i) { return Variant(i); });
        case VarType::I4: return read<std::int32_t>(out, [](std::int32_t i) { return Variant(i); });
        case VarType::Currency: return read<std::int64_t>(out, [](std::int64_t c) { return Variant::currency(c); });
        case VarType::R4: return read<float>(out, [](float f) { return Variant(f); });
        case VarType::R8: return read<double>(out, [](double d) { return Variant(d); });
        case VarType::Date: return read<double>(out, [](double d) { return Variant::date(d); });
        case VarType::String: {
            std::u16string text;
            if (!this->text(text)) return false;
            out = Variant(std::move(text));
            return true;
        }
        default: return false;
        }
    }
    bool atEnd() const { return at_ == bytes_.size(); }

private:
    template <class T, class Make>
    bool read(Variant& out, Make make)
    {
        T raw{};
        if (!get(raw)) return false;
        out = make(raw);
        return true;
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
};

bool readNames(Reader& in, std::vector<std::u16string>& names)
{
    std::uint32_t n = 0;
    if (!in.count(n, 4)) return false;
    names.resize(n);
    for (std::u16string& name : names)
        if (!in.text(name)) return false;
    return true;
}

}  // namespace

std::string encodeAnswer(const TagReadAnswer& answer)
{
    Writer out;
    for (char c : kMarker) out.put(c);
    if (answer.failure) {
        out.put(std::uint8_t{kFailure});
        out.put(answer.failure->hresult);
        out.text(answer.failure->description);
    } else if (answer.tableNames) {
        out.put(std::uint8_t{kTableNames});
        out.put(static_cast<std::uint32_t>(answer.tableNames->size()));
        for (const std::u16string& name : *answer.tableNames) out.text(name);
    } else if (answer.dump) {
        out.reserve(answer.dump->size() + 16);
        out.put(std::uint8_t{kDump});
        out.bytes(*answer.dump);
    } else if (answer.table) {
        // Rows of numbers and short names: room for them all at once, rather
        // than a string that doubles its way up to megabytes.
        out.reserve(answer.table->rows.size() * answer.table->fieldNames.size() * 16 + 64);
        out.put(std::uint8_t{kTable});
        out.put(static_cast<std::uint32_t>(answer.table->fieldNames.size()));
        for (const std::u16string& name : answer.table->fieldNames) out.text(name);
        out.put(static_cast<std::uint32_t>(answer.table->rows.size()));
        for (const auto& row : answer.table->rows)
            for (const Variant& value : row) out.value(value);
    }
    return out.take();
}

std::optional<TagReadAnswer> decodeAnswer(std::string_view bytes)
{
    Reader in(bytes);
    char marker[4] = {};
    for (char& c : marker)
        if (!in.get(c)) return std::nullopt;
    std::uint8_t kind = 0;
    if (std::memcmp(marker, kMarker, 4) != 0 || !in.get(kind)) return std::nullopt;

    TagReadAnswer answer;
    switch (kind) {
    case kFailure: {
        TagReadAnswer::Failure failure;
        if (!in.get(failure.hresult) || !in.text(failure.description)) return std::nullopt;
        answer.failure = std::move(failure);
        break;
    }
    case kTableNames: {
        std::vector<std::u16string> names;
        if (!readNames(in, names)) return std::nullopt;
        answer.tableNames = std::move(names);
        break;
    }
    case kTable: {
        TagReadAnswer::Table table;
        if (!readNames(in, table.fieldNames)) return std::nullopt;
        std::uint32_t rows = 0;
        // Every value takes at least its type byte.
        const std::size_t smallestRow = table.fieldNames.empty() ? 1 : table.fieldNames.size();
        if (!in.count(rows, smallestRow)) return std::nullopt;
        if (table.fieldNames.empty() && rows != 0) return std::nullopt;
        table.rows.resize(rows);
        for (auto& row : table.rows) {
            row.resize(table.fieldNames.size());
            for (Variant& value : row)
                if (!in.value(value)) return std::nullopt;
        }
        answer.table = std::move(table);
        break;
    }
    case kDump: {
        std::string dump;
        if (!in.bytes(dump)) return std::nullopt;
        answer.dump = std::move(dump);
        break;
    }
    default: return std::nullopt;
    }
    if (!in.atEnd()) return std::nullopt;
    return answer;
}

}  // namespace corvane::jet
