#pragma once

#include "server/TagDataLayer.h"

namespace corvane::jet {

// The data layer over libmdb: a connection opens the file read-only (after
// JetFileCheck has vouched for it) and a record set reads a whole table into a
// snapshot when it opens, as a client-side static cursor does.
class MdbDataLayer final : public TagDataLayer {
public:
    std::unique_ptr<TagConnection> createConnection() override;
};

}  // namespace corvane::jet
