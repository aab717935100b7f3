#pragma once

#include <QString>

#include <memory>
#include <string>

namespace corvane::remoting {

// The folder that holds the socket of the direct connections: made fresh
// under the user's runtime folder, readable and writable by the user alone,
// so that nobody else can even reach the socket. It goes with this object,
// and also when the process ends through std::quick_exit (the operator's Yes
// and the loss of the bus end it that way, without destructors).
class DirectSocketFolder {
public:
    // A new folder; null with the reason in `error` when none can be made.
    static std::unique_ptr<DirectSocketFolder> create(QString& error);
    ~DirectSocketFolder();
    DirectSocketFolder(const DirectSocketFolder&) = delete;
    DirectSocketFolder& operator=(const DirectSocketFolder&) = delete;

    const std::string& folder() const { return folder_; }
    const std::string& socketPath() const { return socket_; }
    // The socket's D-Bus address (unix:path=..., escaped).
    QString address() const;
    // Makes the socket readable and writable by the user alone, once it exists.
    bool restrictSocket(QString& error) const;

private:
    explicit DirectSocketFolder(std::string folder);

    std::string folder_;
    std::string socket_;
};

}  // namespace corvane::remoting
