#include "StressRun.h"

#include "BusQuiet.h"
#include "ClientFleet.h"
#include "FileDigest.h"
#include "ServerWatch.h"
#include "TypicalQuery.h"
#include "Witness.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QUuid>

#include <stdexcept>
#include <unistd.h>

namespace corvane::stress {

namespace {

// Runs the event loop for `ms`, the clients' processes and timers with it.
void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

StressRun::StressRun(StressOptions options, StressPaths paths) : options_(options), paths_(std::move(paths))
{
    report_.options = options_;
}

StressRun::~StressRun()
{
    diagnostics_.reset();
    if (driver_.isConnected()) QDBusConnection::disconnectFromBus(driver_.name());
    bus_.reset();  // ends the server too
}

StressReport StressRun::run()
{
    report_.digestBefore = fileDigest(paths_.database);
    bus_ = std::make_unique<remoting::test::PrivateBus>(paths_.services);
    if (!bus_->running()) throw std::runtime_error("dbus-daemon did not start");
    driver_ = QDBusConnection::connectToBus(bus_->address(), QStringLiteral("stress-driver-") + QUuid::createUuid().toString());
    diagnostics_ = std::make_unique<ServerDiagnostics>(driver_);

    // The first request starts the server.
    runTypicalQuery(bus_->address().toStdString());
    report_.serverPidAtStart = diagnostics_->serverPid();
    ServerWatch watch(report_.serverPidAtStart);
    if (!watch.watching()) throw std::runtime_error("cannot watch the server process");
    report_.cold = settle();

    if (options_.warmupSeconds > 0) report_.warmup = load(options_.warmupSeconds, options_.seed);
    report_.before = settle();
    report_.peakHeapInUse = report_.before.heapInUse;
    report_.peakExported = report_.before.census.exported();

    {
        Witness witness(bus_->address().toStdString());
        QElapsedTimer clock;
        clock.start();
        if (!watch.ended()) report_.load = load(options_.seconds, options_.seed + 1);
        report_.loadSeconds = double(clock.elapsed()) / 1000.0;
        if (!watch.ended())
            for (const std::string& difference : witness.differences()) report_.problems.push_back(difference);
        witness.leave();
    }

    report_.serverEndedDuringRun = watch.ended();
    if (!watch.ended()) {
        try {
            report_.after = settle();
        } catch (const std::exception& error) {
            report_.problems.push_back(std::string("after the load: ") + error.what());
        }
    }
    report_.serverPidAtEnd = diagnostics_->serverPid();
    report_.exitQuestionsAnswered = bus_->log().count(QStringLiteral("exit question answered No"));
    report_.digestAfter = fileDigest(paths_.database);
    return report_;
}

ClientFleet::Figures StressRun::load(int seconds, std::uint64_t seed)
{
    ClientFleet fleet(paths_.clientProgram, bus_->clientEnvironment(), seed, options_.killEveryMinMs, options_.killEveryMaxMs,
                      QString::fromStdString(options_.route));
    fleet.start(options_.clients);
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [this] { sample(); });
    sampler.start(1000);
    runEventsFor(seconds * 1000);
    sampler.stop();
    fleet.stop();
    return fleet.figures();
}

void StressRun::sample()
{
    try {
        // The write log keeps every write until the operator clears it, and
        // keeps the room its largest content took after that: cleared once a
        // second, it holds as much at its largest during the load as during
        // the warm-up, and what it keeps does not count as growth.
        diagnostics_->clearWriteLog();
        const Census census = diagnostics_->census();
        report_.peakExported = std::max<std::uint64_t>(report_.peakExported, census.exported());
        report_.peakReferences = std::max(report_.peakReferences, census.clientReferences);
        report_.peakHeapInUse = std::max(report_.peakHeapInUse, diagnostics_->heapInUse());
    } catch (const std::exception&) {
        // A server that has gone is reported by its watch.
    }
}

ServerSnapshot StressRun::settle()
{
    runTypicalQuery(bus_->address().toStdString());
    const std::uint32_t server = diagnostics_->serverPid();
    if (!waitUntilOnlyTheseOnBus(driver_, {std::uint32_t(::getpid()), server}, 20000))
        report_.problems.push_back("clients were still on the bus 20 s after the last had ended");

    ServerSnapshot snapshot;
    // The end of a direct connection reaches the server on its own socket,
    // which nobody else can watch: ask again until it has heard (bounded).
    QElapsedTimer waited;
    waited.start();
    snapshot.census = diagnostics_->census();
    while (snapshot.census.clients > 0 && waited.elapsed() < 10000) {
        runEventsFor(20);
        snapshot.census = diagnostics_->census();
    }
    snapshot.directEndsWaitMs = int(waited.elapsed());

    // The registry lets go of objects that nothing else holds within as many
    // calls as it watches, and their last releases free what they held only
    // then: a session's tags, their definitions. Each level takes a round.
    // A release the server has queued behind its reply still holds its
    // object, so the census counts as settled only once a round changed
    // nothing.
    for (int round = 0; round < 10; ++round) {
        const std::uint64_t exportedBefore = snapshot.census.exported();
        const std::uint64_t calls = exportedBefore + 1;
        for (std::uint64_t i = 0; i < calls; ++i) diagnostics_->introspectRoot();
        snapshot.collectionCalls += int(calls);
        snapshot.census = diagnostics_->census();
        if (snapshot.census.heldByRegistryAlone == 0 && snapshot.census.exported() == exportedBefore) break;
    }

    diagnostics_->clearWriteLog();
    snapshot.heapInUse = diagnostics_->heapInUse();
    snapshot.residentKiB = residentKiB(server);
    snapshot.callsServed = diagnostics_->callsServed();
    return snapshot;
}

}  // namespace corvane::stress
