#include "OperatorWindowFixture.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace corvane::ui::test {
namespace {

class WriteLog : public OperatorWindowFixture {
protected:
    void clickClear() const { QTest::mouseClick(&child<QPushButton>("btnClearWriteLog"), Qt::LeftButton); }
};

TEST_F(WriteLog, GivesBackTheLinesAppendedWithTheirLineBreaks) {
    console.appendText(Control::txtWriteLog, u"14:03:07: TIC101.PV = 42.5\r\n");
    console.appendText(Control::txtWriteLog, u"14:03:08: FIC7.PV = -999\r\n");
    EXPECT_EQ(console.text(Control::txtWriteLog), u"14:03:07: TIC101.PV = 42.5\r\n14:03:08: FIC7.PV = -999\r\n");
    EXPECT_EQ(child<QPlainTextEdit>("txtWriteLog").document()->blockCount(), 3);
}

TEST_F(WriteLog, KeepsLineBreaksAsCarriageReturnLineFeedWhateverWasWritten) {
    console.setText(Control::txtWriteLog, u"a\nb\r\nc");
    EXPECT_EQ(console.text(Control::txtWriteLog), u"a\r\nb\r\nc");
}

TEST_F(WriteLog, KeepsWhatTheOperatorTypedBeforeTheNextLine) {
    auto& log = child<QPlainTextEdit>("txtWriteLog");
    log.setFocus();
    QTest::keyClicks(&log, "note");
    console.appendText(Control::txtWriteLog, u"10:00:00: A = 1\r\n");
    EXPECT_EQ(console.text(Control::txtWriteLog), u"note10:00:00: A = 1\r\n");
}

TEST_F(WriteLog, ClearEmptiesTheLogAndTheNextLineStartsItAlone) {
    console.appendText(Control::txtWriteLog, u"10:00:00: A = 1\r\n");
    clickClear();
    EXPECT_EQ(console.text(Control::txtWriteLog), u"");

    console.appendText(Control::txtWriteLog, u"10:00:01: B = 2\r\n");
    EXPECT_EQ(console.text(Control::txtWriteLog), u"10:00:01: B = 2\r\n");
}

TEST_F(WriteLog, ClearOnAnEmptyLogLeavesItEmpty) {
    clickClear();
    EXPECT_EQ(console.text(Control::txtWriteLog), u"");
}

}  // namespace
}  // namespace corvane::ui::test
