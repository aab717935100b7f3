#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace corvane::app {

// The windowing platform the server asks Qt for, decided before the
// application object exists. The server is started by whatever bus a client
// uses, often on a machine with no display (a build server, a container, a
// login without X); there Qt would abort and every client would see its
// creation fail. So, unless QT_QPA_PLATFORM says otherwise:
// - no DISPLAY and no WAYLAND_DISPLAY: the window is drawn offscreen;
// - DISPLAY alone: the X display it names, and offscreen when that cannot
//   be opened;
// - WAYLAND_DISPLAY: Qt's own choice, as in any Wayland session.
class DisplayPlatform {
public:
    // The value for QT_QPA_PLATFORM from the environment's values, or empty
    // to leave it as it is.
    static QByteArray platformsFor(QByteArrayView requested, QByteArrayView display, QByteArrayView waylandDisplay);

    // Sets QT_QPA_PLATFORM from the process environment.
    static DisplayPlatform chooseFromEnvironment();

    // Says once on standard error when the window went offscreen because no
    // display could be opened; call with the platform Qt settled on.
    void reportFallback(QByteArrayView platformInUse) const;

private:
    bool offscreenIsFallback_ = false;
};

}  // namespace corvane::app
