#include "OperatorWindowFixture.h"
#include "ui/DataWindow.h"
#include "ui/Twips.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

namespace corvane::ui::test {
namespace {

class DataWindowUse : public OperatorWindowFixture {
protected:
    void clickData() const { QTest::mouseClick(&child<QPushButton>("cmdData"), Qt::LeftButton); }

    static QList<QWidget*> dataWindows() {
        QList<QWidget*> found;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QStringLiteral("frmData")) {
                found.append(top);
            }
        }
        return found;
    }

    // Closes frmData as the operator does. The window deletes itself later,
    // when control is back in the event loop; the tests have no outer loop,
    // so they run that deferred deletion here.
    static void closeAsOperator(QWidget& dataWindow) {
        QSignalSpy destroyed(&dataWindow, &QObject::destroyed);
        dataWindow.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(destroyed.count(), 1);
    }
};

TEST_F(DataWindowUse, TwoClicksOnDataShowOneWindow) {
    clickData();
    clickData();
    const QList<QWidget*> shown = dataWindows();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front()->isVisible());
    EXPECT_TRUE(console.dataWindowVisible());
}

TEST_F(DataWindowUse, OpensWithItsCaptionSizeAndListing) {
    clickData();
    DataWindow& shown = console.dataWindow().window();
    EXPECT_EQ(shown.windowTitle(), QStringLiteral("Data"));
    EXPECT_EQ(shown.size(), QSize(444, 477));
    EXPECT_EQ(shown.txtData().geometry(), twipsRect(120, 120, 6015, 6855));
    EXPECT_EQ(shown.txtData().lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(DataWindowUse, ASecondClickKeepsTheListing) {
    clickData();
    console.setText(Control::txtData, u"TIC101.PV\r\n");
    clickData();
    EXPECT_EQ(console.text(Control::txtData), u"TIC101.PV\r\n");
}

TEST_F(DataWindowUse, ReadingTheListingLoadsTheWindowHidden) {
    EXPECT_EQ(console.text(Control::txtData), u"");
    EXPECT_FALSE(console.dataWindowVisible());
    ASSERT_EQ(dataWindows().size(), 1);
    EXPECT_FALSE(dataWindows().front()->isVisible());

    console.setText(Control::txtData, u"FIC7.PV");
    clickData();
    EXPECT_TRUE(console.dataWindowVisible());
    EXPECT_EQ(console.text(Control::txtData), u"FIC7.PV");
}

TEST_F(DataWindowUse, ClosingDestroysItAndTheNextClickShowsAnEmptyOne) {
    clickData();
    console.appendText(Control::txtData, u"TIC101.PV\r\n");
    QPointer<QWidget> first = dataWindows().front();
    closeAsOperator(*first);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(dataWindows().isEmpty());

    clickData();
    ASSERT_EQ(dataWindows().size(), 1);
    EXPECT_TRUE(dataWindows().front()->isVisible());
    EXPECT_EQ(console.text(Control::txtData), u"");
}

TEST_F(DataWindowUse, IsNotVisibleAfterTheOperatorClosedIt) {
    clickData();
    closeAsOperator(*dataWindows().front());
    EXPECT_FALSE(console.dataWindowVisible());
}

}  // namespace
}  // namespace corvane::ui::test
