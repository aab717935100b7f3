// corvane_bench_bus: the end-to-end figures, on private buses with the real
// server, then the targets they are judged by.
#include "BusBench.h"
#include "EchoServer.h"
#include "LibdbusEchoPeer.h"
#include "Targets.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

using corvane::bench::Target;

int serveEcho(const QString& address)
{
    QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("echo"));
    EchoServer echo(QStringLiteral("unix:tmpdir=/tmp"));
    if (!bus.registerObject(QStringLiteral("/echo"), &echo, QDBusConnection::ExportAllSlots)
        || !bus.registerService(QStringLiteral("org.corvane.BenchEcho")))
        return 1;
    // Gone with the bus, should the benchmark itself end abruptly.
    bus.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"), QStringLiteral("org.freedesktop.DBus.Local"),
                QStringLiteral("Disconnected"), QCoreApplication::instance(), SLOT(quit()));
    std::printf("ready %s\n", qPrintable(echo.peerAddress()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}

const std::vector<Target> kTargets = {
    // The client library's way: sd-bus at both ends, each on its caller's thread.
    {"Tags.Count on the direct connection / raw socket of its size", "TagsCountOverTheDirectConnectionBySdBus/real_time",
     "RawSocketRoundTripOfTagsCountsSize/real_time", 2.0, false, ""},
    {"Tags.Count through the bus / bare sd-bus echo on the same bus", "TagsCountThroughTheBusBySdBus/real_time",
     "BareSdBusEchoThroughTheBus/real_time", 1.1, false, ""},
    {"Tags.Count through the bus / bare Qt echo method on the bus", "TagsCountThroughTheBusBySdBus/real_time",
     "BareQtEchoThroughTheBus/real_time", 0.8, false, ""},
    {"Tags.Count on the direct connection / through the bus", "TagsCountOverTheDirectConnectionBySdBus/real_time",
     "TagsCountThroughTheBusBySdBus/real_time", 0.5, true, ""},
    // A Qt D-Bus client calling the same server: its own thread is its bound.
    {"(Qt D-Bus client) Tags.Count on the direct connection / raw socket", "TagsCountOverTheDirectConnection/real_time",
     "RawSocketRoundTripOfTagsCountsSize/real_time", 3.0, false, ""},
    {"(bound) bare Qt echo on a peer connection / raw socket", "BareQtEchoOverAPeerConnection/real_time",
     "RawSocketRoundTripOfTagsCountsSize/real_time", 3.0, false, ""},
    {"UnpackResults 40,321 samples, direct / raw socket, same bytes", "UnpackResultsOverTheDirectConnection/real_time",
     "RawSocketMovingUnpackResultsBytes/real_time", 5.0, false, ""},
    // What bounds it: writing the arrays element by element through Qt.
    {"(bound) Qt writing the week's arrays / libdbus copying them whole", "QtWritesAWeekOfHistoryElementByElement@cpu",
     "LibdbusWritesAWeekOfHistoryArrayByArray@cpu", 2.0, false, ""},
    {"Tags.Add direct, server CPU: last 1,000 of 10,000 / first",
     "TagsAddOverTheDirectConnection/10000/iterations:1/real_time#last1000_server_ms",
     "TagsAddOverTheDirectConnection/10000/iterations:1/real_time#first1000_server_ms", 1.3, false, ""},
    {"Tags.Add direct, wall time: last 1,000 of 10,000 / first",
     "TagsAddOverTheDirectConnection/10000/iterations:1/real_time#last1000_ms",
     "TagsAddOverTheDirectConnection/10000/iterations:1/real_time#first1000_ms", 1.3, false, ""},
    {"Put0 direct, server CPU: last 1,000 of 10,000 / first",
     "Put0IntoOneLogOverTheDirectConnection/10000/iterations:1/real_time#last1000_server_ms",
     "Put0IntoOneLogOverTheDirectConnection/10000/iterations:1/real_time#first1000_server_ms", 1.3, false, ""},
    {"Put0 direct, wall time: last 1,000 of 10,000 / first",
     "Put0IntoOneLogOverTheDirectConnection/10000/iterations:1/real_time#last1000_ms",
     "Put0IntoOneLogOverTheDirectConnection/10000/iterations:1/real_time#first1000_ms", 1.3, false, ""},
    {"Server resident memory per tag, 100,000 tags with the grid",
     "ServerMemoryPerTag/100000/iterations:1/repeats:1/real_time#bytes_per_tag", "", 4096, false, "bytes"},
    {"Server resident growth per cycle, 99,000 Data cycles",
     "ServerMemoryOverCreateAndReleaseCycles/100000/iterations:1/repeats:1/real_time#rss_growth_per_cycle", "", 1, false,
     "bytes"},
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--echo-server") {
        QCoreApplication application(argc, argv);
        return serveEcho(QString::fromLocal8Bit(argv[2]));
    }
    if (!corvane::bench::readBenchmarkFlags(argc, argv)) return 1;
    // Forked while this process has one thread.
    corvane::bench::RawSocketPeer raw;
    corvane::bench::LibdbusEchoPeer libdbus;
    QCoreApplication application(argc, argv);
    corvane::bench::BusBench bench(raw, libdbus);
    if (!bench.ready()) {
        std::fprintf(stderr, "corvane_bench_bus: %s\n", qPrintable(bench.failure()));
        return 1;
    }
    return corvane::bench::runWithTargets(kTargets);
}
