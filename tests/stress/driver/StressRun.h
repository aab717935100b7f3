#pragma once

#include "ServerDiagnostics.h"
#include "ServerSnapshot.h"
#include "StressOptions.h"
#include "StressReport.h"

#include "PrivateBus.h"

#include <QDBusConnection>
#include <QString>

#include <memory>

namespace corvane::stress {

// Where the run finds what the build made.
struct StressPaths {
    QString services;     // the folder of the test service file (diagnostics on, exit answered No)
    QString clientProgram;
    QString database;     // Corvane.mdb beside the server
};

// One stress run: a private bus starting the server by activation, a cold
// look, a warm-up load, the baseline, a witness session, the load with random
// kills, and the look afterwards.
class StressRun {
public:
    StressRun(StressOptions options, StressPaths paths);
    ~StressRun();

    StressReport run();

private:
    // Clients come and go for `seconds`; the server is sampled, and its write
    // log cleared, once a second.
    ClientFleet::Figures load(int seconds, std::uint64_t seed);
    ServerSnapshot settle();
    void sample();

    StressOptions options_;
    StressPaths paths_;
    std::unique_ptr<remoting::test::PrivateBus> bus_;
    QDBusConnection driver_{QString()};
    std::unique_ptr<ServerDiagnostics> diagnostics_;
    StressReport report_;
};

}  // namespace corvane::stress
