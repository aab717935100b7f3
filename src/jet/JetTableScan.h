#pragma once

#include "JetCatalog.h"
#include "TableDefinitionReader.h"
#include "TableScan.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::jet {

// One table of a Jet 4 file read by our own code alone: its definition, its
// data pages through its usage map, each row cracked into its fields.
class JetTableScan final : public TableScan {
public:
    // Opens table `table` (case ignored) of `catalog`, read from `file`, and
    // checks that it has the index `index` (none asked for when empty). Fails
    // with the data layer's errors for a missing table or index, or a damaged
    // definition (naming the file at `path`).
    JetTableScan(const std::filesystem::path& file, const std::u16string& path, const std::vector<CatalogTable>& catalog,
                 std::u16string_view table, std::u16string_view index);

    const std::vector<ScannedColumn>& columns() const override { return columns_; }
    std::size_t rowCountHint() const override { return definition_.rowCount; }
    void forEachRow(const RowVisitor& row) override;
    PageFile& file() override { return file_; }

private:
    PageFile file_;
    std::uint32_t definitionPage_ = 0;
    StoredTableDefinition definition_;  // its columns in the order of their numbers
    std::vector<ScannedColumn> columns_;
};

}  // namespace corvane::jet
