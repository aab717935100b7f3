#include "ui/PaintThrottle.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace corvane::ui {

PaintThrottle::PaintThrottle(std::chrono::milliseconds frame, QObject* parent) : QObject(parent), frame_(frame) {}

bool PaintThrottle::eventFilter(QObject* watched, QEvent* event) {
    // A top-level widget paints its dirty regions when it gets this event.
    if (event->type() != QEvent::UpdateRequest || !watched->isWidgetType()) {
        return false;
    }
    auto known = windows_.find(watched);
    if (known == windows_.end()) {
        known = windows_.insert(watched, {});
        connect(watched, &QObject::destroyed, this, [this, watched] { windows_.remove(watched); });
    }
    Window& window = *known;
    const qint64 frameMs = frame_.count();
    if (window.due || !window.sinceLastPaint.isValid() || window.sinceLastPaint.elapsed() >= frameMs) {
        window.sinceLastPaint.start();
        window.held = window.due = false;
        return false;
    }
    if (!window.held) {
        window.held = true;
        repaintLater(watched, frameMs - window.sinceLastPaint.elapsed());
    }
    return true;  // Qt keeps the dirty regions and asks no more until this one comes back
}

void PaintThrottle::repaintLater(QObject* window, qint64 afterMs) {
    QTimer::singleShot(std::chrono::milliseconds(afterMs), Qt::PreciseTimer, this,
                       [this, target = QPointer<QObject>(window)] {
                           if (!target) {
                               return;
                           }
                           windows_[target.data()].due = true;
                           QCoreApplication::postEvent(target, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
                       });
}

}  // namespace corvane::ui
