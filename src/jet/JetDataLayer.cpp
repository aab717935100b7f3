#include "JetDataLayer.h"

#include "JetConnection.h"

namespace corvane::jet {

std::unique_ptr<TagConnection> JetDataLayer::createConnection() { return std::make_unique<JetConnection>(); }

}  // namespace corvane::jet
