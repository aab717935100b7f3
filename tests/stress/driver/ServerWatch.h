#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <cstdint>
#include <memory>

namespace corvane::stress {

// Tells, the moment it happens, that the server process has ended: a server
// that crashed would otherwise pass unnoticed, since the next call would
// simply have the bus start a new one.
class ServerWatch final : public QObject {
    Q_OBJECT

public:
    explicit ServerWatch(std::uint32_t pid);
    ~ServerWatch() override;

    bool watching() const { return fd_ >= 0; }
    bool ended() const { return ended_; }

signals:
    void serverEnded();

private:
    int fd_ = -1;
    bool ended_ = false;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace corvane::stress
