#include "IsolatedDataLayer.h"

#include "JetText.h"
#include "SnapshotRecordset.h"
#include "server/DataLayerErrors.h"

#include <filesystem>
#include <memory>

namespace corvane::jet {
namespace {

// What a connection shares with its record sets: the file it opened, or nothing.
struct ReaderSession {
    const TagReader& reader;
    std::u16string path;
    bool open = false;
};

class IsolatedRecordset final : public SnapshotRecordset {
public:
    explicit IsolatedRecordset(std::shared_ptr<const ReaderSession> session) : session_(std::move(session)) {}

    void open(std::u16string_view table, std::u16string_view index) override
    {
        requireClosed();
        if (!session_->open) throw data_layer::connectionUnusable();
        TagReadAnswer::Table read = session_->reader.table(session_->path, table, index);
        fill(std::move(read.fieldNames), std::move(read.rows));
    }

private:
    std::shared_ptr<const ReaderSession> session_;
};

class IsolatedConnection final : public TagConnection {
public:
    explicit IsolatedConnection(const TagReader& reader) : reader_(reader), session_(fresh()) {}

    void open(const std::u16string& path) override
    {
        if (session_->open) throw data_layer::objectOpen();
        // The commonest failure needs no reader process.
        std::error_code error;
        if (!std::filesystem::is_regular_file(std::filesystem::path(path), error))
            throw data_layer::fileNotFound(path);
        tableNames_ = reader_.tableNames(path);  // refuses what the reader cannot open
        session_->path = path;
        session_->open = true;
    }
    bool isOpen() const override { return session_->open; }
    std::vector<std::u16string> tableNames() const override
    {
        if (!session_->open) throw data_layer::objectClosed();
        return tableNames_;
    }
    std::unique_ptr<TagRecordset> createRecordset() override { return std::make_unique<IsolatedRecordset>(session_); }
    void close() override
    {
        if (!session_->open) throw data_layer::objectClosed();
        // Record sets made through this connection keep their snapshots but
        // can no longer open: they share this session and see it closed.
        session_->open = false;
        session_ = fresh();
    }

private:
    std::shared_ptr<ReaderSession> fresh() const { return std::make_shared<ReaderSession>(ReaderSession{reader_, {}, false}); }

    const TagReader& reader_;
    std::shared_ptr<ReaderSession> session_;
    std::vector<std::u16string> tableNames_;
};

}  // namespace

std::unique_ptr<TagConnection> IsolatedDataLayer::createConnection()
{
    return std::make_unique<IsolatedConnection>(reader_);
}

}  // namespace corvane::jet
