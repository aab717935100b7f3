#include "OperatorWindowFixture.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

namespace corvane::ui::test {
namespace {

class FetchIndicator : public OperatorWindowFixture {
protected:
    const QLabel& fetch() const { return child<QLabel>("labelFetch"); }
    QTimer& timer() const { return *window().findChild<QTimer*>(QStringLiteral("tmrClrFetch")); }
};

TEST_F(FetchIndicator, ShowsFetchUntilTheTimerTicksThenHidesItAndStopsTheTimer) {
    QSignalSpy ticks(&timer(), &QTimer::timeout);
    console.dataFetch();
    EXPECT_TRUE(fetch().isVisible());
    EXPECT_TRUE(timer().isActive());

    ASSERT_TRUE(ticks.wait(5000));
    EXPECT_FALSE(fetch().isVisible());
    EXPECT_FALSE(timer().isActive());
}

TEST_F(FetchIndicator, FlashesAgainOnTheNextFetch) {
    QSignalSpy ticks(&timer(), &QTimer::timeout);
    console.dataFetch();
    ASSERT_TRUE(ticks.wait(5000));

    console.dataFetch();
    EXPECT_TRUE(fetch().isVisible());
    ASSERT_TRUE(ticks.wait(5000));
    EXPECT_FALSE(fetch().isVisible());
    EXPECT_EQ(ticks.count(), 2);
}

}  // namespace
}  // namespace corvane::ui::test
