#include "MdbDataLayer.h"

#include "MdbConnection.h"

namespace corvane::jet {

std::unique_ptr<TagConnection> MdbDataLayer::createConnection() { return std::make_unique<MdbConnection>(); }

}  // namespace corvane::jet
