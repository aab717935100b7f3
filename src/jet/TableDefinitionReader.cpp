#include "TableDefinitionReader.h"

#include "JetFormat.h"
#include "MalformedFile.h"

#include <set>

namespace corvane::jet {
namespace {

constexpr std::size_t kMaxColumns = 255;
constexpr std::size_t kMaxIndexes = 1000;
constexpr std::size_t kColumnEntry = 25;
constexpr std::size_t kRealIndexEntry = 52;
constexpr std::size_t kLogicalIndexEntry = 28;

std::vector<std::uint8_t> definitionBytes(PageFile& file, std::uint32_t first)
{
    std::vector<std::uint8_t> def;
    std::set<std::uint32_t> seen;
    for (std::uint32_t number = first; number != 0 || def.empty();) {
        const auto page = file.page(number);
        if (page.empty() || page[0] != page_type::kTableDefinition) throw MalformedFile("a table definition page is missing");
        if (!seen.insert(number).second) throw MalformedFile("the table definition pages form a loop");
        def.insert(def.end(), page.begin() + (def.empty() ? 0 : 8), page.end());
        number = u32At(page, 4);
    }
    return def;
}

class Cursor {
public:
    explicit Cursor(const std::vector<std::uint8_t>& bytes, std::size_t at) : bytes_(bytes), at_(at) {}

    std::span<const std::uint8_t> take(std::size_t count)
    {
        if (count > bytes_.size() - at_) throw MalformedFile("the table definition is cut short");
        const std::span<const std::uint8_t> taken(bytes_.data() + at_, count);
        at_ += count;
        return taken;
    }
    std::u16string name()
    {
        const std::size_t length = u16At(take(2), 0);
        const auto units = take(length);
        std::u16string text(length / 2, u'\0');
        for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(u16At(units, 2 * i));
        return text;
    }

private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_;
};

}  // namespace

const StoredColumn* StoredTableDefinition::column(std::uint16_t number) const
{
    for (const StoredColumn& c : columns)
        if (c.number == number) return &c;
    return nullptr;
}

StoredTableDefinition readTableDefinition(PageFile& file, std::uint32_t first)
{
    const std::vector<std::uint8_t> def = definitionBytes(file, first);
    Cursor header(def, 0);
    const auto fixed = header.take(63);
    StoredTableDefinition table;
    table.rowCount = u32At(fixed, 16);
    table.tableType = fixed[40];
    table.maxColumns = u16At(fixed, 41);
    table.variableColumns = u16At(fixed, 43);
    const std::size_t columns = u16At(fixed, 45);
    const std::size_t logical = u32At(fixed, 47);
    const std::size_t physical = u32At(fixed, 51);
    table.usedPagesMap = u32At(fixed, 55);
    table.freePagesMap = u32At(fixed, 59);
    // A deleted column keeps its number and variable slot: the counts that
    // matter are those of every column the table ever had.
    if (columns == 0 || columns > kMaxColumns || columns > table.maxColumns || table.variableColumns > table.maxColumns ||
        logical > kMaxIndexes || physical > logical)
        throw MalformedFile("the table definition's counts are out of range");

    Cursor at(def, 63 + 12 * physical);
    for (std::size_t c = 0; c < columns; ++c) {
        const auto entry = at.take(kColumnEntry);
        StoredColumn column;
        column.type = entry[0];
        column.number = u16At(entry, 5);
        column.variableIndex = u16At(entry, 7);
        column.precision = entry[11];
        column.scale = entry[12];
        column.flags = entry[15];
        column.fixedOffset = u16At(entry, 21);
        column.size = u16At(entry, 23);
        table.columns.push_back(column);
    }
    for (StoredColumn& column : table.columns) column.name = at.name();
    for (std::size_t i = 0; i < physical; ++i) {
        const auto entry = at.take(kRealIndexEntry);
        StoredRealIndex index;
        for (std::size_t slot = 0; slot < kIndexColumnSlots; ++slot) {
            const std::uint16_t number = u16At(entry, 4 + 3 * slot);
            if (number != 0xFFFF) index.columns.push_back({number, entry[6 + 3 * slot] != 0});
        }
        index.usedPagesMap = u32At(entry, 34);
        index.firstPage = u32At(entry, 38);
        index.flags = entry[42];
        table.realIndexes.push_back(std::move(index));
    }
    for (std::size_t i = 0; i < logical; ++i) {
        const auto entry = at.take(kLogicalIndexEntry);
        table.logicalIndexes.push_back({u32At(entry, 4), u32At(entry, 8), entry[23], {}});
    }
    for (StoredLogicalIndex& index : table.logicalIndexes) index.name = at.name();
    return table;
}

}  // namespace corvane::jet
