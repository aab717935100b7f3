#include "PlaceholderDataLayer.h"

#include "server/DataLayerErrors.h"

#include <filesystem>
#include <system_error>

namespace corvane::win32 {

namespace {

class ClosedConnection final : public TagConnection {
public:
    void open(const std::u16string& path) override {
        std::error_code ignored;
        if (!std::filesystem::exists(std::filesystem::path(path), ignored)) {
            throw data_layer::fileNotFound(path);
        }
        throw data_layer::unrecognizedFormat(path);
    }
    bool isOpen() const override { return false; }
    std::vector<std::u16string> tableNames() const override { throw data_layer::objectClosed(); }
    std::unique_ptr<TagRecordset> createRecordset() override { throw data_layer::objectClosed(); }
    void close() override { throw data_layer::objectClosed(); }
};

}  // namespace

std::unique_ptr<TagConnection> PlaceholderDataLayer::createConnection() {
    return std::make_unique<ClosedConnection>();
}

}  // namespace corvane::win32
