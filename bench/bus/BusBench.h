#pragma once

#include "LibdbusEchoPeer.h"
#include "PrivateBus.h"
#include "RawSocketPeer.h"
#include "WireSizes.h"

#include "corvanesim/Connection.h"
#include "corvanesim/Tag.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>

#include <memory>
#include <optional>

namespace corvane::bench {

// The object path in the result of an Invoke reply, (9, o); empty for any
// other reply.
QString objectInInvokeReply(const QDBusMessage& reply);

// The server freshly started on a private bus of its own (activated from the
// bus tests' service file: offscreen, the exit question answered No), with
// the client library connected to it over the direct connection.
class ServerOnItsOwnBus {
public:
    ServerOnItsOwnBus();
    ~ServerOnItsOwnBus();

    bool ready() const { return library.has_value() && pid != 0; }

    remoting::test::PrivateBus bus;
    std::optional<client::Connection> library;
    quint32 pid = 0;
};

// What the round-trip and history benchmarks share, set up once: a server
// with a session of three tags, reached through the bus and over the direct
// connection; a second process serving the bare Qt D-Bus echo method on the
// same bus; the raw socket peer; and the sizes of the messages compared.
class BusBench {
public:
    // `raw` and `libdbus` were forked before any thread started.
    BusBench(RawSocketPeer& raw, LibdbusEchoPeer& libdbus);
    ~BusBench();

    static BusBench& shared();
    bool ready() const { return failure_.isEmpty(); }
    const QString& failure() const { return failure_; }

    RawSocketPeer& raw;
    LibdbusEchoPeer& libdbus;
    remoting::test::PrivateBus bus;
    QProcess echoServer;
    quint32 serverPid = 0;
    quint32 echoPid = 0;

    QDBusConnection busClient{QString()};
    QDBusConnection peer{QString()};
    QDBusConnection echoPeer{QString()};  // to the echo server's own socket
    QString directAddress;                // the server's own socket
    // Built once: Invoke(Tags.Count) through the bus and on the direct
    // connection, and the echo method's call.
    QDBusMessage countThroughTheBus;
    QDBusMessage countOverTheDirectConnection;
    QDBusMessage echo;
    QDBusMessage echoOverAPeer;
    WireSize countSize;

    // A week of 15-second samples of one tag, through the library both ways.
    std::optional<client::Connection> libraryOverTheBus;
    std::optional<client::Connection> libraryDirect;
    std::optional<client::Tag> historyOverTheBus;
    std::optional<client::Tag> historyDirect;
    WireSize historySize;

private:
    bool fail(const QString& why);
    bool setUp();

    QString failure_;
};

// The week of samples that the history benchmarks unpack.
inline constexpr std::size_t kWeekOfSamples = 40321;

}  // namespace corvane::bench
