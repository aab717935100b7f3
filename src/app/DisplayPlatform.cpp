#include "DisplayPlatform.h"

#include <QtGlobal>

#include <cstdio>

namespace corvane::app {

namespace {

constexpr char kOffscreen[] = "offscreen";

}  // namespace

QByteArray DisplayPlatform::platformsFor(QByteArrayView requested, QByteArrayView display, QByteArrayView waylandDisplay)
{
    if (!requested.isEmpty() || !waylandDisplay.isEmpty()) return {};
    // Qt tries the platforms of the list in turn.
    if (!display.isEmpty()) return QByteArray("xcb;") + kOffscreen;
    return kOffscreen;
}

DisplayPlatform DisplayPlatform::chooseFromEnvironment()
{
    DisplayPlatform choice;
    const QByteArray platforms = platformsFor(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"));
    if (!platforms.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", platforms);
        choice.offscreenIsFallback_ = true;
    }
    return choice;
}

void DisplayPlatform::reportFallback(QByteArrayView platformInUse) const
{
    if (!offscreenIsFallback_ || platformInUse != kOffscreen) return;
    std::fputs("corvanesim: no display could be opened; the window is drawn offscreen "
               "(set QT_QPA_PLATFORM to choose another platform)\n",
               stderr);
    std::fflush(stderr);
}

}  // namespace corvane::app
