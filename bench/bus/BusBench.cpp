#include "BusBench.h"

#include "RemoteObjects.h"

#include "corvanesim/Data.h"
#include "corvanesim/RemoteError.h"

#include "automation/AutomationDate.h"
#include "remoting/common/BusContract.h"
#include "qtwire/ValueEncoder.h"
#include "remoting/common/WireBudget.h"

#include <QCoreApplication>

namespace corvane::bench {

namespace contract = remoting::contract;

namespace {

BusBench* sharedBench = nullptr;

QString servicesFolder() { return QStringLiteral(CORVANE_BENCH_SERVICES); }

QDBusMessage countCall(const QString& destination, const QString& tags)
{
    QDBusMessage call = QDBusMessage::createMethodCall(destination, tags, QLatin1StringView(contract::kDispatchInterface),
                                                       QStringLiteral("Invoke"));
    remoting::WireBudget budget;
    remoting::test::RemoteObjects none;
    // Invoke(0x68030000 Count, property get, no arguments, no names)
    call.setArguments({0x68030000, QVariant::fromValue(quint16{2}), remoting::ValueEncoder(none, budget).encodedList({}),
                       QVariant::fromValue(QList<int>{})});
    return call;
}

QDBusMessage rootCall(const QString& destination, const char* interface, const char* member)
{
    return QDBusMessage::createMethodCall(destination, QLatin1StringView(contract::kRootPath),
                                          QLatin1StringView(interface), QLatin1StringView(member));
}

QString tagsOfNewSession(QDBusConnection& connection, const QString& destination, QString& error)
{
    QDBusMessage create = rootCall(destination, contract::kClassFactoryInterface, "CreateInstance");
    create.setArguments({QStringLiteral("CorvaneSim.Data")});
    const QDBusMessage created = connection.call(create, QDBus::Block, 60000);
    if (created.type() != QDBusMessage::ReplyMessage || created.arguments().value(0).toInt() != 0) {
        error = QStringLiteral("no session: %1").arg(created.errorMessage());
        return {};
    }
    const QString data = created.arguments().at(1).value<QDBusObjectPath>().path();
    // Data.Tags (0x68030007), property get.
    QDBusMessage get = QDBusMessage::createMethodCall(destination, data, QLatin1StringView(contract::kDispatchInterface),
                                                      QStringLiteral("Invoke"));
    remoting::WireBudget budget;
    remoting::test::RemoteObjects none;
    get.setArguments({0x68030007, QVariant::fromValue(quint16{2}), remoting::ValueEncoder(none, budget).encodedList({}),
                      QVariant::fromValue(QList<int>{})});
    const QDBusMessage got = connection.call(get, QDBus::Block, 60000);
    const QString tags = objectInInvokeReply(got);
    if (tags.isEmpty()) error = QStringLiteral("no Tags: %1").arg(got.errorMessage());
    return tags;
}

}  // namespace

QString objectInInvokeReply(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 5) return {};
    const QDBusArgument result = reply.arguments().at(1).value<QDBusArgument>();
    quint16 vt = 0;
    QDBusVariant payload;
    result.beginStructure();
    result >> vt >> payload;
    result.endStructure();
    return payload.variant().value<QDBusObjectPath>().path();
}

ServerOnItsOwnBus::ServerOnItsOwnBus() : bus(servicesFolder())
{
    if (!bus.running()) return;
    try {
        library.emplace(client::Connection::toBus(bus.address().toStdString(), client::Connection::Route::Direct));
    } catch (const client::RemoteError&) {
        library.reset();
        return;
    }
    pid = bus.ownerPid(QLatin1StringView(contract::kServiceName));
}

ServerOnItsOwnBus::~ServerOnItsOwnBus() { library.reset(); }

BusBench& BusBench::shared() { return *sharedBench; }

BusBench::BusBench(RawSocketPeer& rawPeer, LibdbusEchoPeer& libdbusPeer)
    : raw(rawPeer), libdbus(libdbusPeer), bus(servicesFolder())
{
    sharedBench = this;
    setUp();
}

BusBench::~BusBench()
{
    historyOverTheBus.reset();
    historyDirect.reset();
    libraryOverTheBus.reset();
    libraryDirect.reset();
    if (peer.isConnected()) QDBusConnection::disconnectFromPeer(peer.name());
    if (echoPeer.isConnected()) QDBusConnection::disconnectFromPeer(echoPeer.name());
    if (busClient.isConnected()) QDBusConnection::disconnectFromBus(busClient.name());
    echoServer.kill();
    echoServer.waitForFinished();
    sharedBench = nullptr;
}

bool BusBench::fail(const QString& why)
{
    failure_ = why;
    return false;
}

bool BusBench::setUp()
{
    if (!raw.running()) return fail(QStringLiteral("cannot start the raw socket peer"));
    if (!bus.running()) return fail(QStringLiteral("cannot start dbus-daemon"));
    echoServer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--echo-server"), bus.address()});
    while (!echoServer.canReadLine() && echoServer.waitForReadyRead(30000)) {
    }
    const QString ready = QString::fromLocal8Bit(echoServer.readLine()).trimmed();
    if (!ready.startsWith(QLatin1StringView("ready "))) return fail(QStringLiteral("the echo server did not start"));
    echoPid = quint32(echoServer.processId());
    echoPeer = QDBusConnection::connectToPeer(ready.mid(6), QStringLiteral("bench-echo-peer"));
    if (!echoPeer.isConnected()) return fail(QStringLiteral("cannot reach the echo server's socket"));
    echoOverAPeer = QDBusMessage::createMethodCall(QString(), QStringLiteral("/echo"), QStringLiteral("org.corvane.BenchEcho"),
                                                   QStringLiteral("Echo"));
    echoOverAPeer.setArguments({3});
    if (!libdbus.connect()) return fail(QStringLiteral("cannot reach the libdbus peer"));

    busClient = QDBusConnection::connectToBus(bus.address(), QStringLiteral("bench-bus-client"));
    const QString service = QString::fromLatin1(contract::kServiceName);
    QString error;
    const QString tags = tagsOfNewSession(busClient, service, error);
    if (tags.isEmpty()) return fail(error);
    serverPid = bus.ownerPid(service);

    const QDBusMessage address = busClient.call(rootCall(service, contract::kDirectConnectionInterface, "Address"));
    if (address.type() != QDBusMessage::ReplyMessage) return fail(QStringLiteral("no direct connection: %1").arg(address.errorMessage()));
    directAddress = address.arguments().at(0).toString();
    peer = QDBusConnection::connectToPeer(directAddress, QStringLiteral("bench-peer"));
    if (!peer.isConnected()) return fail(QStringLiteral("cannot connect to %1").arg(address.arguments().at(0).toString()));

    countThroughTheBus = countCall(service, tags);
    countOverTheDirectConnection = countCall(QString(), tags);
    echo = QDBusMessage::createMethodCall(QStringLiteral("org.corvane.BenchEcho"), QStringLiteral("/echo"),
                                          QStringLiteral("org.corvane.BenchEcho"), QStringLiteral("Echo"));
    echo.setArguments({3});
    countSize = tagsCount(tags.toStdString());

    // Three tags, so that Count answers 3 as the sizes assume.
    QDBusMessage add = QDBusMessage::createMethodCall(service, tags, QLatin1StringView(contract::kDispatchInterface),
                                                      QStringLiteral("Invoke"));
    for (const char16_t* name : {u"TIC101.PV", u"FIC202.PV", u"LIC303.PV"}) {
        remoting::WireBudget budget;
        remoting::test::RemoteObjects none;
        const automation::Variant argument(name);
        add.setArguments({0x60030002, QVariant::fromValue(quint16{1}),
                          remoting::ValueEncoder(none, budget).encodedList({&argument, 1}), QVariant::fromValue(QList<int>{})});
        if (busClient.call(add).type() != QDBusMessage::ReplyMessage) return fail(QStringLiteral("cannot add tags"));
    }

    try {
        libraryOverTheBus.emplace(client::Connection::toBus(bus.address().toStdString(), client::Connection::Route::Bus));
        libraryDirect.emplace(client::Connection::toBus(bus.address().toStdString(), client::Connection::Route::Direct));
        const double start = automation::date::fromLocal({2026, 11, 29, 0, 0, 0});
        for (auto [library, tag] : {std::pair{&*libraryOverTheBus, &historyOverTheBus}, std::pair{&*libraryDirect, &historyDirect}}) {
            const client::Data data = client::Data::create(*library);
            data.setStartTime(automation::Variant::date(start));
            data.setEndTime(automation::Variant::date(automation::date::addSeconds(start, (kWeekOfSamples - 1) * 15)));
            data.setSampleFrequency(15);
            tag->emplace(data.tags().add(u"01TIC200.PV"));
            (*tag)->setPV(50.0f);
        }
        historySize = unpackResults(historyDirect->object().path(), kWeekOfSamples);
    } catch (const client::RemoteError& refused) {
        return fail(QStringLiteral("the library failed: %1").arg(QString::fromStdU16String(refused.description())));
    }
    return true;
}

}  // namespace corvane::bench
