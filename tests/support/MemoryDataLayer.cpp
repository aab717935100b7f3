#include "MemoryDataLayer.h"

#include "automation/CaseFold.h"
#include "server/DataLayerErrors.h"

#include <algorithm>

namespace corvane::testing {
namespace {

using automation::Variant;

class MemoryRecordset final : public TagRecordset {
public:
    explicit MemoryRecordset(const std::map<std::u16string, MemoryTable>* tables) : tables_(tables) {}

    void open(std::u16string_view table, std::u16string_view index) override
    {
        const auto found = tables_->find(std::u16string(table));
        if (found == tables_->end()) throw data_layer::tableNotFound(table);
        const auto& indexes = found->second.indexes;
        if (!index.empty() && std::find(indexes.begin(), indexes.end(), index) == indexes.end())
            throw data_layer::indexNotFound(index);
        table_ = found->second;  // a snapshot, as a static cursor takes
        open_ = true;
        row_ = 0;
    }
    bool isOpen() const override { return open_; }
    void moveFirst() override
    {
        if (table_.rows.empty()) throw data_layer::noCurrentRecord();
        row_ = 0;
    }
    bool eof() const override { return row_ >= table_.rows.size(); }
    std::vector<std::u16string> fieldNames() const override { return table_.fields; }
    const Variant& field(std::u16string_view name) const override
    {
        for (std::size_t i = 0; i < table_.fields.size(); ++i) {
            if (automation::equalIgnoringCase(table_.fields[i], name)) {
                if (eof()) throw data_layer::noCurrentRecord();
                return table_.rows[row_][i];
            }
        }
        throw data_layer::itemNotFound();
    }
    void moveNext() override
    {
        if (eof()) throw data_layer::noCurrentRecord();
        ++row_;
    }
    void close() override { open_ = false; }

private:
    const std::map<std::u16string, MemoryTable>* tables_;
    MemoryTable table_;
    std::size_t row_ = 0;
    bool open_ = false;
};

class MemoryConnection final : public TagConnection {
public:
    explicit MemoryConnection(MemoryDataLayer& layer) : layer_(layer) {}

    void open(const std::u16string& path) override
    {
        const auto found = layer_.databases.find(path);
        if (found == layer_.databases.end()) throw data_layer::fileNotFound(path);
        ++layer_.opens;
        tables_ = &found->second;
    }
    bool isOpen() const override { return tables_ != nullptr; }
    std::vector<std::u16string> tableNames() const override
    {
        std::vector<std::u16string> names;
        for (const auto& [name, table] : *tables_) names.push_back(name);
        return names;
    }
    std::unique_ptr<TagRecordset> createRecordset() override { return std::make_unique<MemoryRecordset>(tables_); }
    void close() override { tables_ = nullptr; }

private:
    MemoryDataLayer& layer_;
    const std::map<std::u16string, MemoryTable>* tables_ = nullptr;
};

}  // namespace

std::unique_ptr<TagConnection> MemoryDataLayer::createConnection() { return std::make_unique<MemoryConnection>(*this); }

void MemoryDataLayer::putTagTable(const std::u16string& path, std::vector<std::vector<Variant>> rows)
{
    databases[path][u"Default"] = MemoryTable{{u"Tag", u"Value", u"Confidence"}, std::move(rows)};
}

}  // namespace corvane::testing
