#include "TableDefinition.h"

namespace corvane::jet {
namespace {

constexpr std::uint32_t kDefinitionMarker = 0x0659;
constexpr std::uint32_t kPhysicalIndexMarker = 0x0783;
constexpr std::uint16_t kGeneralSortOrder = 0x0409;
constexpr std::uint8_t kUserTable = 0x4E;
constexpr std::uint8_t kSystemTable = 0x53;
constexpr std::uint8_t kColumnFixed = 0x01;
constexpr std::uint8_t kColumnNullable = 0x02;
constexpr std::uint8_t kColumnAlwaysSet = 0x10;
constexpr std::uint8_t kIndexUniqueRequired = 0x09;
constexpr std::uint8_t kPrimaryKey = 0x01;

bool isText(ColumnType type) { return type == ColumnType::Text || type == ColumnType::Memo; }

void appendName(Bytes& out, std::u16string_view name)
{
    out.u16(static_cast<std::uint16_t>(name.size() * 2));
    out.utf16(name);
}

}  // namespace

Page buildTableDefinition(const TableLayout& layout, const TableDefinitionInput& input)
{
    const auto& columns = layout.columns();
    const auto columnCount = static_cast<std::uint16_t>(columns.size());
    const std::uint32_t indexCount = input.index ? 1 : 0;

    Bytes def;
    def.u8(page_type::kTableDefinition);
    def.u8(0x01);
    def.u16(0);  // free space, set below
    def.u32(0);  // no next definition page
    def.u32(0);  // definition length, set below
    def.u32(kDefinitionMarker);
    def.u32(input.rowCount);
    def.u32(0);  // next autonumber
    def.u8(0x01);
    def.zeros(3);
    def.u32(0);
    def.zeros(8);
    def.u8(input.system ? kSystemTable : kUserTable);
    def.u16(columnCount);  // most columns a row has had
    def.u16(layout.variableCount());
    def.u16(columnCount);
    def.u32(indexCount);  // logical indexes
    def.u32(indexCount);  // physical indexes
    def.u32(input.usedPagesMap);
    def.u32(input.freePagesMap);

    if (input.index) {
        def.u32(0);
        def.u32(input.rowCount);
        def.u32(0);
    }

    for (const ColumnLayout& column : columns) {
        def.u8(static_cast<std::uint8_t>(column.declared.type));
        def.u32(kDefinitionMarker);
        def.u16(column.number);
        def.u16(column.variableIndex);
        def.u16(column.number);
        if (column.declared.type == ColumnType::Decimal) {
            def.u8(column.declared.precision);
            def.u8(column.declared.scale);
        } else {
            def.u16(isText(column.declared.type) ? kGeneralSortOrder : 0);
        }
        def.u16(0);
        def.u8(static_cast<std::uint8_t>((column.fixed ? kColumnFixed : 0) | kColumnNullable | kColumnAlwaysSet));
        def.u8(isText(column.declared.type) ? 0x01 : 0x00);  // compressed text allowed
        def.u32(0);
        def.u16(column.fixedOffset);
        def.u16(column.size);
    }
    for (const ColumnLayout& column : columns) appendName(def, column.declared.name);

    if (input.index) {
        const TableDefinitionIndex& index = *input.index;
        def.u32(kPhysicalIndexMarker);
        def.u16(index.column);
        def.u8(0x01);  // ascending
        for (std::size_t slot = 1; slot < kIndexColumnSlots; ++slot) {
            def.u16(0xFFFF);
            def.u8(0);
        }
        def.u32(index.pagesMap);
        def.u32(index.rootPage);
        def.u32(0);
        def.u8(kIndexUniqueRequired);
        def.zeros(5);

        def.u32(kDefinitionMarker);
        def.u32(0);  // index number
        def.u32(0);  // its physical index
        def.u8(0);
        def.u32(0xFFFFFFFF);  // no foreign key
        def.u32(0);
        def.u8(0);
        def.u8(0);
        def.u8(index.primaryKey ? kPrimaryKey : 0);
        def.zeros(4);

        appendName(def, index.name);
    }
    def.u16(0xFFFF);  // no per-column usage maps

    if (def.size() > kPageSize)
        throw WriteError("the table definition needs " + std::to_string(def.size()) + " bytes, more than one page");
    def.patchU16(2, static_cast<std::uint16_t>(kPageSize - def.size()));
    Page page;
    page.bytes(0, def.data().data(), def.size());
    page.u32(8, static_cast<std::uint32_t>(def.size() - 8));
    return page;
}

}  // namespace corvane::jet
