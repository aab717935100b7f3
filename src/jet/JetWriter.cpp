#include "JetWriter.h"

#include "HeaderPage.h"
#include "IndexBuilder.h"
#include "JetFormat.h"
#include "JetText.h"
#include "LongValueWriter.h"
#include "TableDefinition.h"
#include "TableLayout.h"
#include "UsageMap.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace corvane::jet {
namespace {

constexpr std::uint32_t kGlobalMapPage = 1;
constexpr std::uint32_t kUsageMapsPage = 3;
constexpr std::uint32_t kCatalogDataPage = 4;
constexpr std::uint32_t kFirstTablePage = 5;
constexpr std::size_t kMaxRowsPerPage = 255;  // an index entry names the row in one byte
constexpr std::int64_t kSystemObject = -2147483648LL;  // flags 0x80000000
constexpr std::int64_t kContainerParent = 0x0F000000;

std::uint32_t rowPointer(std::uint32_t page, std::size_t row) { return page << 8 | static_cast<std::uint32_t>(row); }

Page dataPage(std::uint32_t owner, const std::vector<std::vector<std::uint8_t>>& rows)
{
    Page page;
    page.u8(0, page_type::kData);
    page.u8(1, 0x01);
    page.u32(4, owner);
    page.u16(kDataRowCountOffset, static_cast<std::uint16_t>(rows.size()));
    std::size_t end = kPageSize;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        end -= rows[i].size();
        page.bytes(end, rows[i].data(), rows[i].size());
        page.u16(kDataRowTableOffset + 2 * i, static_cast<std::uint16_t>(end));
    }
    page.u16(2, static_cast<std::uint16_t>(end - kDataRowTableOffset - 2 * rows.size()));
    return page;
}

bool fits(const std::vector<std::vector<std::uint8_t>>& rows, std::size_t used, std::size_t more)
{
    return rows.size() < kMaxRowsPerPage && kDataRowTableOffset + 2 * (rows.size() + 1) + used + more <= kPageSize;
}

std::vector<ColumnSpec> catalogColumns()
{
    using enum ColumnType;
    return {{u"Id", Long},           {u"ParentId", Long},    {u"Name", Text, 255},         {u"Type", Integer},
            {u"DateCreate", DateTime}, {u"DateUpdate", DateTime}, {u"Owner", Binary, 510}, {u"Flags", Long},
            {u"Database", Memo},     {u"Connect", Memo},     {u"ForeignName", Text, 255},  {u"RmtInfoShort", Binary, 510},
            {u"RmtInfoLong", Ole},   {u"Lv", Ole},           {u"LvProp", Ole},             {u"LvModule", Ole},
            {u"LvExtra", Ole}};
}

Row catalogRow(std::int64_t id, std::int64_t parent, std::u16string name, std::int64_t type, double date, std::int64_t flags)
{
    Row row(17);
    row[0] = id;
    row[1] = parent;
    row[2] = std::move(name);
    row[3] = type;
    row[4] = date;
    row[5] = date;
    row[7] = flags;
    return row;
}

std::u16string capitalAscii(std::u16string text)
{
    for (char16_t& c : text)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return text;
}

// A user table as the writer lays it out.
struct PlannedTable {
    const TableSpec* source = nullptr;
    TableLayout layout;
    std::uint32_t definitionPage = 0;
    std::vector<std::uint32_t> dataPages;
    std::optional<std::size_t> indexColumn;
    std::vector<std::uint32_t> indexPages;
    std::uint32_t indexRoot = 0;
};

class DatabaseBuilder {
public:
    explicit DatabaseBuilder(const DatabaseSpec& database) : database_(database), pages_(kFirstTablePage) {}

    std::vector<std::uint8_t> build()
    {
        checkTableNames();
        std::vector<PlannedTable> tables;
        for (const TableSpec& source : database_.tables) tables.push_back(planTable(source));

        // Usage-map rows on their page: the catalog's two, then per table
        // its used and free pages and its index pages.
        std::vector<std::vector<std::uint8_t>> maps;
        const auto addMap = [&](const std::vector<std::uint32_t>& pages) {
            maps.push_back(usageMapRow(pages, [&](Page bitmap) { return addPage(std::move(bitmap)); }));
            return rowPointer(kUsageMapsPage, maps.size() - 1);
        };
        const std::uint32_t catalogUsed = addMap({kCatalogDataPage});
        const std::uint32_t catalogFree = addMap({});
        Row tablesRow = catalogRow(kTablesContainerId, kContainerParent, u"Tables", 3, database_.creationDate, kSystemObject);
        std::vector<Row> catalog{tablesRow,
                                 catalogRow(0x0F000002, kContainerParent, u"Databases", 3, database_.creationDate, kSystemObject),
                                 catalogRow(0x0F000003, kContainerParent, u"Relationships", 3, database_.creationDate, kSystemObject),
                                 catalogRow(kCatalogPage, kTablesContainerId, u"MSysObjects", 1, database_.creationDate, kSystemObject)};
        for (PlannedTable& table : tables) {
            TableDefinitionInput input;
            input.rowCount = static_cast<std::uint32_t>(table.source->rows.size());
            input.usedPagesMap = addMap(table.dataPages);
            input.freePagesMap = addMap({});
            if (table.indexColumn) {
                input.index = TableDefinitionIndex{table.source->index->name, static_cast<std::uint16_t>(*table.indexColumn),
                                                   addMap(table.indexPages), table.indexRoot,
                                                   table.source->index->primaryKey};
            }
            pages_[table.definitionPage] = buildTableDefinition(table.layout, input);
            catalog.push_back(catalogRow(table.definitionPage, kTablesContainerId, table.source->name, 1, database_.creationDate, 0));
        }
        pages_[kUsageMapsPage] = singlePage(0, maps, "usage maps");

        const TableLayout catalogLayout(u"MSysObjects", catalogColumns());
        std::vector<std::vector<std::uint8_t>> catalogRows;
        for (std::size_t i = 0; i < catalog.size(); ++i) catalogRows.push_back(catalogLayout.encodeRow(catalog[i], i + 1));
        pages_[kCatalogDataPage] = singlePage(kCatalogPage, catalogRows, "catalog");
        TableDefinitionInput catalogInput;
        catalogInput.system = true;
        catalogInput.rowCount = static_cast<std::uint32_t>(catalog.size());
        catalogInput.usedPagesMap = catalogUsed;
        catalogInput.freePagesMap = catalogFree;
        pages_[kCatalogPage] = buildTableDefinition(catalogLayout, catalogInput);

        pages_[kGlobalMapPage] = globalMapPage();
        pages_[0] = buildHeaderPage(database_.creationDate);

        std::vector<std::uint8_t> file;
        file.reserve(pages_.size() * kPageSize);
        for (const Page& page : pages_) file.insert(file.end(), page.data(), page.data() + kPageSize);
        return file;
    }

private:
    std::uint32_t addPage(Page page)
    {
        pages_.push_back(std::move(page));
        return static_cast<std::uint32_t>(pages_.size() - 1);
    }

    void checkTableNames() const
    {
        std::vector<std::u16string> seen{u"MSYSOBJECTS"};
        for (const TableSpec& table : database_.tables) {
            const std::u16string name = capitalAscii(table.name);
            if (std::find(seen.begin(), seen.end(), name) != seen.end())
                throw WriteError("table name '" + toUtf8(table.name) + "' is used twice");
            seen.push_back(name);
        }
    }

    Page singlePage(std::uint32_t owner, const std::vector<std::vector<std::uint8_t>>& rows, const char* what) const
    {
        std::vector<std::vector<std::uint8_t>> placed;
        std::size_t used = 0;
        for (const auto& row : rows) {
            if (!fits(placed, used, row.size())) throw WriteError(std::string("too many tables: the ") + what + " would need a second page");
            placed.push_back(row);
            used += row.size();
        }
        return dataPage(owner, placed);
    }

    PlannedTable planTable(const TableSpec& source)
    {
        PlannedTable table{&source, TableLayout(source.name, source.columns), addPage(Page()), {}, {}, {}, 0};
        LongValueWriter longValues([&](Page page) { return addPage(std::move(page)); });
        const TableLayout::LongValueStore store = [&](const std::vector<std::uint8_t>& value) { return longValues.store(value); };

        // Rows fill data pages in order; each index entry learns its page
        // when the page is added (long values may take pages before it).
        std::vector<IndexEntry> entries;
        std::vector<std::size_t> entriesOnPage;
        std::vector<std::vector<std::uint8_t>> onPage;
        std::size_t used = 0;
        const auto flush = [&] {
            const std::uint32_t number = addPage(dataPage(table.definitionPage, onPage));
            table.dataPages.push_back(number);
            for (std::size_t entry : entriesOnPage) entries[entry].page = number;
            entriesOnPage.clear();
            onPage.clear();
            used = 0;
        };
        if (source.index) {
            table.indexColumn = table.layout.find(source.index->column);
            if (!table.indexColumn)
                throw WriteError("table '" + toUtf8(source.name) + "': the index column '" + toUtf8(source.index->column) +
                                 "' is not one of its columns");
            entries.reserve(source.rows.size());
        }
        for (std::size_t i = 0; i < source.rows.size(); ++i) {
            std::vector<std::uint8_t> row = table.layout.encodeRow(source.rows[i], i + 1, store);
            if (!fits(onPage, used, row.size())) flush();
            if (table.indexColumn) {
                entriesOnPage.push_back(entries.size());
                entries.push_back(indexEntry(table, i, onPage.size()));
            }
            used += row.size();
            onPage.push_back(std::move(row));
        }
        if (!onPage.empty()) flush();

        if (table.indexColumn) {
            std::vector<std::size_t> order(entries.size());
            for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return entries[a].key < entries[b].key; });
            std::vector<IndexEntry> sorted;
            sorted.reserve(entries.size());
            for (std::size_t k = 0; k < order.size(); ++k) {
                if (k > 0 && entries[order[k]].key == sorted.back().key) duplicateKey(table, order[k - 1], order[k]);
                sorted.push_back(std::move(entries[order[k]]));
            }
            IndexPages index = buildIndexPages(sorted, table.definitionPage, static_cast<std::uint32_t>(pages_.size()));
            for (Page& page : index.pages) table.indexPages.push_back(addPage(std::move(page)));
            table.indexRoot = index.root;
        }
        return table;
    }

    // The entry of row `i`, which goes to its page as row `row`.
    IndexEntry indexEntry(const PlannedTable& table, std::size_t i, std::size_t row) const
    {
        const ColumnLayout& column = table.layout.columns()[*table.indexColumn];
        const Cell& cell = table.source->rows[i][*table.indexColumn];
        const std::string where = "table '" + toUtf8(table.source->name) + "', row " + std::to_string(i + 1);
        if (!cell) throw WriteError(where + ": the index key '" + toUtf8(column.declared.name) + "' is empty");
        try {
            return IndexEntry{indexKey(column, *cell), 0, static_cast<std::uint8_t>(row)};
        } catch (const WriteError& error) {
            throw WriteError(where + ", " + error.what());
        }
    }

    [[noreturn]] void duplicateKey(const PlannedTable& table, std::size_t first, std::size_t second) const
    {
        const auto shown = [&](std::size_t row) {
            const Value& value = *table.source->rows[row][*table.indexColumn];
            return std::holds_alternative<std::u16string>(value) ? toUtf8(std::get<std::u16string>(value))
                   : std::holds_alternative<double>(value)       ? std::to_string(std::get<double>(value))
                                                                 : std::to_string(std::get<std::int64_t>(value));
        };
        // Letter case, some accents and ignored characters make no difference to the sort order.
        const std::string alike = shown(first) == shown(second) ? "" : " (the index does not tell it from '" + shown(first) + "')";
        throw WriteError("table '" + toUtf8(table.source->name) + "', rows " + std::to_string(first + 1) + " and " +
                         std::to_string(second + 1) + ": duplicate key '" + shown(second) + "' in the unique index '" +
                         toUtf8(table.source->index->name) + "'" + alike);
    }

    // The whole file's usage map: its bits mark the free pages, here those
    // beyond the end of the file.
    Page globalMapPage() const
    {
        std::vector<std::uint8_t> map(kUsageMapRowSize, 0);
        for (std::size_t page = pages_.size(); page < kUsageMapBits; ++page) map[5 + page / 8] |= static_cast<std::uint8_t>(1u << (page % 8));
        return dataPage(kGlobalMapPage, {map});
    }

    const DatabaseSpec& database_;
    std::vector<Page> pages_;
};

}  // namespace

std::vector<std::uint8_t> buildDatabase(const DatabaseSpec& database) { return DatabaseBuilder(database).build(); }

void writeDatabaseFile(const DatabaseSpec& database, const std::filesystem::path& path)
{
    const std::vector<std::uint8_t> bytes = buildDatabase(database);
    std::random_device random;
    std::filesystem::path temporary = path;
    temporary += ".partial-" + std::to_string(random());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw WriteError("cannot write '" + path.string() + "'");
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw WriteError("cannot write '" + path.string() + "'");
    }
}

}  // namespace corvane::jet
