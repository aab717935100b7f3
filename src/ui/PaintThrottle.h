#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>

#include <chrono>

namespace corvane::ui {

// Paints the windows at most once a frame. Every client call that touches a
// window asks Qt to repaint it, and Qt repaints each time the event loop
// comes round, which under a stream of calls is after every call: painting
// the grid and its scroll bars was most of the server's work per call. The
// windows show the same; they catch up at most a frame later. Installed on
// the application, it holds back a window's repaint that comes within a
// frame of its last one and asks for it again when the frame is over.
class PaintThrottle final : public QObject {
    Q_OBJECT

public:
    explicit PaintThrottle(std::chrono::milliseconds frame = std::chrono::milliseconds(16), QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Window {
        QElapsedTimer sinceLastPaint;
        bool held = false;  // a repaint waits for the frame to end
        bool due = false;   // the held repaint is on its way back
    };
    void repaintLater(QObject* window, qint64 afterMs);

    std::chrono::milliseconds frame_;
    QHash<QObject*, Window> windows_;
};

}  // namespace corvane::ui
