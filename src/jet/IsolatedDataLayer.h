#pragma once

#include "TagReader.h"
#include "server/TagDataLayer.h"

namespace corvane::jet {

// The data layer the server reads its tag database through: the same
// answers as the in-process data layers, but every read runs in a reader
// process of its own (corvanesim-tagread: over libmdb on Linux, over our own
// reader on Windows). libmdb trusts the file it reads; JetFileCheck refuses
// what it can foresee, and whatever still makes a reader fault or loop ends
// that process, never the server, and the load fails with the data layer's
// error naming the file.
class IsolatedDataLayer final : public TagDataLayer {
public:
    explicit IsolatedDataLayer(TagReader reader) : reader_(std::move(reader)) {}

    std::unique_ptr<TagConnection> createConnection() override;

private:
    TagReader reader_;
};

}  // namespace corvane::jet
