#pragma once

#include "server/TagDataLayer.h"

#include <map>
#include <string>
#include <vector>

namespace corvane::testing {

struct MemoryTable {
    std::vector<std::u16string> fields;
    std::vector<std::vector<automation::Variant>> rows;
    std::vector<std::u16string> indexes{u"PrimaryKey"};
};

// Databases as plain tables in memory, keyed by file path, with the data
// layer's errors for missing files, tables, indexes, fields and rows.
class MemoryDataLayer final : public TagDataLayer {
public:
    std::unique_ptr<TagConnection> createConnection() override;

    // A "Default" table with the fields Tag, Value and Confidence.
    void putTagTable(const std::u16string& path, std::vector<std::vector<automation::Variant>> rows);

    std::map<std::u16string, std::map<std::u16string, MemoryTable>> databases;
    int opens = 0;
};

}  // namespace corvane::testing
