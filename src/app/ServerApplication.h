#pragma once

#include "DiagnosticsTestHook.h"

#include "jet/IsolatedDataLayer.h"
#include "platform/SystemClock.h"
#include "platform/SystemRegionalSettings.h"
#include "remoting/server/BusConnection.h"
#include "remoting/server/BusServer.h"
#include "server/GridEditCommit.h"
#include "server/ServerProcess.h"
#include "server/TagStore.h"
#include "ui/PaintThrottle.h"
#include "ui/QtOperatorActions.h"
#include "ui/QtOperatorConsole.h"

#include <QString>

#include <memory>

namespace corvane::app {

// The server process wired together: the system clock and regional settings,
// the tag store over the libmdb data layer in the executable's folder (run in
// a reader process of its own, so that a damaged file costs the load and not
// the server), the operator windows and their controls for programs, the
// object model and the bus server. Nothing shows until a client creates its
// first object.
class ServerApplication {
public:
    ServerApplication();
    ServerApplication(const ServerApplication&) = delete;
    ServerApplication& operator=(const ServerApplication&) = delete;

    // Claims the bus name; false with the reason in `error`.
    bool start(QString& error);

private:
    // The windows paint at most once a frame, however fast the calls come.
    ui::PaintThrottle paintThrottle_;
    platform::SystemClock clock_;
    platform::SystemRegionalSettings regional_;
    jet::IsolatedDataLayer dataLayer_;
    TagStore tagStore_;
    ui::QtOperatorConsole console_;
    ui::QtOperatorActions operatorActions_;
    ServerProcess process_;
    GridEditCommit gridEdits_;
    // Null when the session bus cannot be reached; start() then says so.
    std::unique_ptr<remoting::BusConnection> connection_;
    QString connectionError_;
    std::unique_ptr<remoting::BusServer> bus_;
    std::unique_ptr<DiagnosticsTestHook> diagnostics_;
};

}  // namespace corvane::app
