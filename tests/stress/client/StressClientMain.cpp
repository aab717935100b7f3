// corvane_stress_client: one client of the stress test, started (and mostly
// killed) by corvane_stress. It reaches the server through the session bus
// that DBUS_SESSION_BUS_ADDRESS names.
//   corvane_stress_client --seed N --route bus|direct --operations N --ending release|abandon
#include "CheckFailure.h"
#include "StressClientExit.h"
#include "Workload.h"

#include "corvanesim/CorvaneSim.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

using namespace corvane;

namespace {

struct Arguments {
    std::uint64_t seed = 1;
    client::Connection::Route route = client::Connection::Route::Bus;
    long operations = 1000;
    bool release = true;  // at the end; otherwise the process leaves holding everything
};

bool parse(int argc, char** argv, Arguments& arguments)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i], value = argv[i + 1];
        if (name == "--seed") arguments.seed = std::stoull(value);
        else if (name == "--route" && (value == "bus" || value == "direct"))
            arguments.route = value == "bus" ? client::Connection::Route::Bus : client::Connection::Route::Direct;
        else if (name == "--operations") arguments.operations = std::stol(value);
        else if (name == "--ending" && (value == "release" || value == "abandon")) arguments.release = value == "release";
        else return false;
    }
    return argc % 2 == 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    Arguments arguments;
    try {
        if (!parse(argc, argv, arguments)) {
            std::fputs("usage: corvane_stress_client --seed N --route bus|direct --operations N --ending release|abandon\n", stderr);
            return stress::kClientUsage;
        }
    } catch (const std::exception&) {
        std::fputs("corvane_stress_client: a number is not a number\n", stderr);
        return stress::kClientUsage;
    }

    const std::u16string tag = client::fromUtf8(std::to_string(arguments.seed));
    std::unique_ptr<stress::Workload> workload;
    try {
        workload = std::make_unique<stress::Workload>(client::Connection::sessionBus(arguments.route), arguments.seed, tag);
        workload->run(arguments.operations);
        if (!arguments.release) {
            // Leaves the bus holding everything, as a client that crashes does.
            std::fflush(nullptr);
            std::_Exit(stress::kClientDone);
        }
        workload->releaseEverything();
    } catch (const stress::CheckFailure& failure) {
        std::fprintf(stderr, "stress client %llu: wrong answer: %s\n", static_cast<unsigned long long>(arguments.seed), failure.what());
        return stress::kClientWrongAnswer;
    } catch (const client::RemoteError& error) {
        std::fprintf(stderr, "stress client %llu: %s: %s (%s)\n", static_cast<unsigned long long>(arguments.seed),
                     workload ? workload->currentOperation() : "connecting", error.what(),
                     client::toUtf8(error.source()).c_str());
        return error.code() == client::hresult::kDisconnected ? stress::kClientServerGone : stress::kClientFailedCall;
    }
    return stress::kClientDone;
}
