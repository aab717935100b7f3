#pragma once

#include "server/TagDataLayer.h"

namespace corvane::jet {

// The data layer over our own Jet 4 reader, in process: the same answers as
// the one over libmdb (MdbDataLayer), in standard C++ alone, so that the
// Windows build reads tag databases too. A record set reads its table whole
// into a snapshot when it opens.
class JetDataLayer final : public TagDataLayer {
public:
    std::unique_ptr<TagConnection> createConnection() override;
};

}  // namespace corvane::jet
