#pragma once

#include "JetCatalog.h"
#include "server/TagDataLayer.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::jet {

// What a connection shares with its record sets: the file it opened and its
// catalog, or nothing.
struct JetSession {
    bool open = false;
    std::u16string path;
    std::filesystem::path file;
    std::vector<CatalogTable> catalog;
};

// A connection of our own Jet 4 reader: it opens the file read-only after
// JetFileCheck has vouched for it (as the libmdb connection does, so that
// both refuse the same files) and reads its catalog.
class JetConnection final : public TagConnection {
public:
    JetConnection();

    void open(const std::u16string& path) override;
    bool isOpen() const override;
    std::vector<std::u16string> tableNames() const override;
    std::unique_ptr<TagRecordset> createRecordset() override;
    void close() override;

    // Table `table` as CSV (TableDump.h), for the tag database tool.
    std::string dump(std::u16string_view table) const;

private:
    std::shared_ptr<JetSession> session_;
};

}  // namespace corvane::jet
