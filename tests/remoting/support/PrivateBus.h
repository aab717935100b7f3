#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace corvane::remoting::test {

// A session bus of the test's own: dbus-daemon with activation from
// `serviceFolder`, so that a client's first request starts the freshly built
// server from the test service file there. The user's own bus is never
// touched. Ending the bus ends the server it started too.
class PrivateBus {
public:
    explicit PrivateBus(const QString& serviceFolder);
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool running() const { return !address_.isEmpty(); }
    const QString& address() const { return address_; }
    // The environment of a child process that should use this bus.
    QProcessEnvironment clientEnvironment() const;

    // What the daemon and the servers it started wrote to standard error.
    QString log();
    // Waits until `text` shows up in the log.
    bool waitForLog(const QString& text, int timeoutMs = 10000);

    // The process id of the owner of `name`, or 0.
    quint32 ownerPid(const QString& name);
    // Kills the owner of `name` and waits until it is gone.
    void killOwner(const QString& name);
    // Ends the daemon alone, leaving whatever it started to notice by itself.
    void endDaemon();

private:
    static QProcessEnvironment daemonEnvironment(const QString& runtimeFolder);

    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
    QString log_;
    QDBusConnection control_{QString()};
};

}  // namespace corvane::remoting::test
