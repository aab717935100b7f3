// Round trips through a private bus, measured in one run: Tags.Count on the
// real server (activated from the test service file) beside the echo method
// of EchoServer in a process of its own on the same bus. Both calls are
// blocking calls with messages built once, so the difference is the server's
// work: decoding, dispatch, encoding and the larger reply. Each also reports
// the processor time its serving process spent per call.
#include "EchoServer.h"
#include "PrivateBus.h"
#include "TestClient.h"

#include "remoting/common/ValueEncoder.h"
#include "remoting/common/WireBudget.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include <unistd.h>

using corvane::automation::Variant;
using corvane::remoting::test::PrivateBus;
using corvane::remoting::test::TestClient;

namespace {

QDBusConnection* connection = nullptr;
QDBusMessage countCall;
QDBusMessage echoCall;
quint32 serverPid = 0;
quint32 echoPid = 0;

// The processor time a process has used so far (user and system), in microseconds.
double processorMicroseconds(quint32 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return 0;
    const QByteArray text = stat.readAll();
    // The fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();  // utime, stime
    return ticks * 1e6 / double(::sysconf(_SC_CLK_TCK));
}

void roundTrips(benchmark::State& state, const QDBusMessage& call, quint32 pid)
{
    const double before = processorMicroseconds(pid);
    for (auto _ : state) {
        const QDBusMessage reply = connection->call(call, QDBus::Block);
        if (reply.type() != QDBusMessage::ReplyMessage) {
            state.SkipWithError(qPrintable(reply.errorMessage()));
            break;
        }
        benchmark::DoNotOptimize(reply);
    }
    // The serving process's share, to 10 ms of the whole run.
    state.counters["server_cpu_us"] = benchmark::Counter((processorMicroseconds(pid) - before) / double(state.iterations()));
}

void TagsCountThroughTheServer(benchmark::State& state) { roundTrips(state, countCall, serverPid); }
void BareQtEchoMethod(benchmark::State& state) { roundTrips(state, echoCall, echoPid); }
BENCHMARK(TagsCountThroughTheServer)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BareQtEchoMethod)->Unit(benchmark::kMicrosecond)->UseRealTime();

int serveEcho(const QString& address)
{
    QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("echo"));
    EchoServer echo;
    if (!bus.registerObject(QStringLiteral("/echo"), &echo, QDBusConnection::ExportAllSlots)
        || !bus.registerService(QStringLiteral("org.corvane.BenchEcho")))
        return 1;
    // Gone with the bus, should the benchmark itself end abruptly.
    bus.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"), QStringLiteral("org.freedesktop.DBus.Local"),
                QStringLiteral("Disconnected"), QCoreApplication::instance(), SLOT(quit()));
    std::puts("ready");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--echo-server") return serveEcho(QString::fromLocal8Bit(argv[2]));

    PrivateBus bus(QStringLiteral(CORVANE_BENCH_SERVICES));
    if (!bus.running()) {
        std::fputs("cannot start dbus-daemon\n", stderr);
        return 1;
    }
    QProcess echoServer;
    echoServer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--echo-server"), bus.address()});
    if (!echoServer.waitForReadyRead(30000)) {
        std::fputs("the echo server did not start\n", stderr);
        return 1;
    }

    TestClient client(bus.address());
    const TestClient::Created data = client.create(QStringLiteral("CorvaneSim.Data"));
    const QString tags = client.getObject(data.path, 0x68030007);
    for (const char16_t* name : {u"TIC101.PV", u"FIC202.PV", u"LIC303.PV"})
        client.invoke(tags, 0x60030002, 1, {Variant(name)});
    if (data.hresult != 0 || tags.isEmpty()) {
        std::fputs("the server did not give a session\n", stderr);
        return 1;
    }

    connection = &client.connection();
    serverPid = bus.ownerPid(QStringLiteral("org.corvane.CorvaneSim"));
    echoPid = quint32(echoServer.processId());
    countCall = QDBusMessage::createMethodCall(QStringLiteral("org.corvane.CorvaneSim"), tags,
                                               QStringLiteral("org.corvane.Automation1.Dispatch"), QStringLiteral("Invoke"));
    {
        // Invoke(0x68030000 Count, property get, no arguments, no names)
        corvane::remoting::WireBudget budget;
        corvane::remoting::test::RemoteObjects none;
        countCall.setArguments({0x68030000, QVariant::fromValue(quint16{2}),
                                corvane::remoting::ValueEncoder(none, budget).encodedList({}),
                                QVariant::fromValue(QList<int>{})});
    }
    echoCall = QDBusMessage::createMethodCall(QStringLiteral("org.corvane.BenchEcho"), QStringLiteral("/echo"),
                                              QStringLiteral("org.corvane.BenchEcho"), QStringLiteral("Echo"));
    echoCall.setArguments({3});

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    echoServer.kill();
    echoServer.waitForFinished();
    return 0;
}
