#include "JetConnection.h"

#include "JetFileCheck.h"
#include "JetRecordset.h"
#include "JetTableScan.h"
#include "MalformedFile.h"
#include "TableDump.h"
#include "server/DataLayerErrors.h"

namespace corvane::jet {

JetConnection::JetConnection() : session_(std::make_shared<JetSession>()) {}

void JetConnection::open(const std::u16string& path)
{
    if (session_->open) throw data_layer::objectOpen();
    const std::filesystem::path file(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) throw data_layer::fileNotFound(path);
    if (JetFileCheck(file).checkDatabase()) throw data_layer::unrecognizedFormat(path);
    try {
        PageFile pages(file);
        session_->catalog = readCatalog(pages);
    } catch (const MalformedFile&) {
        throw data_layer::unrecognizedFormat(path);
    }
    session_->path = path;
    session_->file = file;
    session_->open = true;
}

bool JetConnection::isOpen() const { return session_->open; }

std::vector<std::u16string> JetConnection::tableNames() const
{
    if (!session_->open) throw data_layer::objectClosed();
    std::vector<std::u16string> names;
    for (const CatalogTable& table : session_->catalog)
        if (table.userTable()) names.push_back(table.name);
    return names;
}

std::unique_ptr<TagRecordset> JetConnection::createRecordset() { return std::make_unique<JetRecordset>(session_); }

std::string JetConnection::dump(std::u16string_view table) const
{
    if (!session_->open) throw data_layer::connectionUnusable();
    JetTableScan scan(session_->file, session_->path, session_->catalog, table, u"");
    return dumpTable(scan, session_->path);
}

void JetConnection::close()
{
    if (!session_->open) throw data_layer::objectClosed();
    // Record sets made through this connection keep their snapshots but can
    // no longer open: they share this session and see it closed.
    session_->open = false;
    session_ = std::make_shared<JetSession>();
}

}  // namespace corvane::jet
