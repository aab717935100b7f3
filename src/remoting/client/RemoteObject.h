#pragma once

#include "automation/Object.h"

#include <QString>

#include <memory>
#include <string>

namespace corvane::client {

class RemoteCalls;

// The client's stand-in for one object of the server, holding one reference
// of this client's, which it releases when its last local holder lets go.
// Calls to it go to the server process that handed it out, by that server's
// unique name, so that a server which has ended is never replaced unnoticed
// by a new one that the bus starts.
class RemoteObject final : public automation::Object {
public:
    // Takes over a reference that the server has already counted.
    RemoteObject(std::shared_ptr<RemoteCalls> calls, QString server, QString path, std::u16string interfaceName = {});

    RemoteCalls& calls() const { return *calls_; }
    const std::shared_ptr<RemoteCalls>& sharedCalls() const { return calls_; }
    const QString& server() const { return server_; }
    const QString& path() const { return path_; }

    // The name of the object's interface (_Tags), empty until known.
    const std::u16string& interfaceName() const { return interfaceName_; }
    void setInterfaceName(std::u16string name) { interfaceName_ = std::move(name); }

private:
    ~RemoteObject() override;

    std::shared_ptr<RemoteCalls> calls_;
    QString server_;
    QString path_;
    std::u16string interfaceName_;
};

}  // namespace corvane::client
