#pragma once

#include "remoting/common/ObjectPathMap.h"

#include <QString>

#include <memory>

namespace corvane::client {

class RemoteCalls;

// Objects as they travel between this client and one server. Each object in
// a successful reply carries a reference that the server has counted for
// this client, so each becomes a stand-in of its own that releases it; an
// object sent must be one of this connection's, of the same server.
class ReplyObjects final : public remoting::ObjectPathMap {
public:
    ReplyObjects(std::shared_ptr<RemoteCalls> calls, QString server) : calls_(std::move(calls)), server_(std::move(server)) {}

    QString pathOf(automation::Object& object) override;
    automation::Ref<automation::Object> objectAt(const QString& path) override;
    // The server says which of its objects are dispatch objects.
    bool hasDispatch(automation::Object&) override { return true; }

private:
    std::shared_ptr<RemoteCalls> calls_;
    QString server_;
};

}  // namespace corvane::client
