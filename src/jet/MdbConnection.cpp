#include "MdbConnection.h"

#include "JetFileCheck.h"
#include "JetText.h"
#include "MdbRecordset.h"
#include "server/DataLayerErrors.h"

#include <glib.h>
#include <mdbtools.h>

namespace corvane::jet {

MdbSession::~MdbSession() { close(); }

void MdbSession::close()
{
    if (handle) mdb_close(static_cast<MdbHandle*>(handle));
    handle = nullptr;
}

MdbConnection::MdbConnection() : session_(std::make_shared<MdbSession>()) {}

void MdbConnection::open(const std::u16string& path)
{
    if (session_->handle) throw data_layer::objectOpen();
    const std::filesystem::path file(toUtf8(path));
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) throw data_layer::fileNotFound(path);
    if (JetFileCheck(file).checkDatabase()) throw data_layer::unrecognizedFormat(path);

    MdbHandle* mdb = mdb_open(file.c_str(), MDB_NOFLAGS);  // read-only
    if (!mdb) throw data_layer::unrecognizedFormat(path);
    if (!mdb_read_catalog(mdb, MDB_TABLE)) {
        mdb_close(mdb);
        throw data_layer::unrecognizedFormat(path);
    }
    session_->handle = mdb;
    session_->path = path;
    session_->file = file;
}

bool MdbConnection::isOpen() const { return session_->handle != nullptr; }

std::vector<std::u16string> MdbConnection::tableNames() const
{
    if (!session_->handle) throw data_layer::objectClosed();
    auto* mdb = static_cast<MdbHandle*>(session_->handle);
    std::vector<std::u16string> names;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(entry)) names.push_back(fromUtf8(entry->object_name));
    }
    return names;
}

std::unique_ptr<TagRecordset> MdbConnection::createRecordset() { return std::make_unique<MdbRecordset>(session_); }

void MdbConnection::close()
{
    if (!session_->handle) throw data_layer::objectClosed();
    // Record sets made through this connection keep their snapshots but can
    // no longer open: they share this session and see it closed.
    session_->close();
    session_ = std::make_shared<MdbSession>();
}

}  // namespace corvane::jet
