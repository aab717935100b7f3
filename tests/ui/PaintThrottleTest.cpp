// The windows paint at most once a frame, and a repaint held back always
// comes once the frame is over.
#include "ui/PaintThrottle.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace corvane::ui::test {
namespace {

using namespace std::chrono_literals;

class CountingWindow final : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

class PaintThrottling : public ::testing::Test {
protected:
    void watch(std::chrono::milliseconds frame) {
        throttle = std::make_unique<PaintThrottle>(frame);
        QApplication::instance()->installEventFilter(throttle.get());
        window.resize(200, 100);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // The first paint goes through and starts the frame.
        ASSERT_TRUE(QTest::qWaitFor([this] { return window.paints > 0; }, 5000));
    }
    // Lets every event that is due now be handled.
    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
        }
    }

    CountingWindow window;
    std::unique_ptr<PaintThrottle> throttle;
};

TEST_F(PaintThrottling, HoldsBackARepaintWithinAFrameOfTheLast) {
    watch(1h);  // the frame never ends within the test
    const int before = window.paints;
    window.update();
    settle();
    window.update();
    settle();
    EXPECT_EQ(window.paints, before);
}

TEST_F(PaintThrottling, PaintsWhatWasHeldBackOnceTheFrameIsOver) {
    watch(20ms);
    const int before = window.paints;
    for (int i = 0; i < 10; ++i) {
        window.update();
        QApplication::processEvents();
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.paints > before; }, 5000));
    // And later changes are painted too: nothing stays held.
    const int after = window.paints;
    window.update();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.paints > after; }, 5000));
}

}  // namespace
}  // namespace corvane::ui::test
