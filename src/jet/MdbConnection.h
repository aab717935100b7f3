#pragma once

#include "server/TagDataLayer.h"

#include <filesystem>
#include <memory>
#include <string>

namespace corvane::jet {

// What a connection shares with its record sets: the open file, or nothing.
struct MdbSession {
    ~MdbSession();
    void close();

    void* handle = nullptr;  // MdbHandle*, kept opaque so that libmdb's headers stay in the .cpp files
    std::u16string path;
    std::filesystem::path file;
};

class MdbConnection final : public TagConnection {
public:
    MdbConnection();

    void open(const std::u16string& path) override;
    bool isOpen() const override;
    std::vector<std::u16string> tableNames() const override;
    std::unique_ptr<TagRecordset> createRecordset() override;
    void close() override;

    // What record sets and dumps read through.
    const MdbSession& session() const { return *session_; }

private:
    std::shared_ptr<MdbSession> session_;
};

}  // namespace corvane::jet
