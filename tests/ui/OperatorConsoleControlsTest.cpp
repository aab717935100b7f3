#include "OperatorWindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace corvane::ui::test {
namespace {

struct NamedControl {
    Control control;
    const char* name;
};

constexpr NamedControl kMainWindowControls[] = {
    {Control::txtTesselHost, "txtTesselHost"},
    {Control::txtUserName, "txtUserName"},
    {Control::txtPassword, "txtPassword"},
    {Control::labelStartTime, "labelStartTime"},
    {Control::labelEndTime, "labelEndTime"},
    {Control::labelSampleFrequency, "labelSampleFrequency"},
    {Control::txtHistoryType, "txtHistoryType"},
    {Control::labelNumSamples, "labelNumSamples"},
    {Control::txtTimeError, "txtTimeError"},
    {Control::txtPeriod, "txtPeriod"},
    {Control::txtWriteLog, "txtWriteLog"},
};

QString shownText(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(&widget)) {
        return line->text();
    }
    return qobject_cast<const QPlainTextEdit*>(&widget)->toPlainText();
}

using OperatorConsoleControls = OperatorWindowFixture;

TEST_F(OperatorConsoleControls, WriteEachNamedControlAndReadItBack) {
    for (const NamedControl& named : kMainWindowControls) {
        SCOPED_TRACE(named.name);
        const std::u16string text = u"set " + std::u16string(named.name, named.name + std::strlen(named.name));
        console.setText(named.control, text);
        EXPECT_EQ(shownText(child<QWidget>(named.name)), QString::fromStdU16String(text));
        EXPECT_EQ(console.text(named.control), text);
    }
}

TEST_F(OperatorConsoleControls, AppendToSingleLineControlsAsWell) {
    console.setText(Control::labelNumSamples, u"6");
    console.appendText(Control::labelNumSamples, u"1");
    EXPECT_EQ(console.text(Control::labelNumSamples), u"61");
}

TEST_F(OperatorConsoleControls, ShowLabelTextsLiterally) {
    console.setText(Control::txtHistoryType, u"<b>Raw</b> & more");
    EXPECT_EQ(child<QLabel>("txtHistoryType").textFormat(), Qt::PlainText);
    EXPECT_EQ(console.text(Control::txtHistoryType), u"<b>Raw</b> & more");
}

TEST_F(OperatorConsoleControls, ReadTheSineWaveCheckBoxAsItsValue) {
    auto& sineWave = child<QCheckBox>("chkSineWave");
    QTest::mouseClick(&sineWave, Qt::LeftButton);
    EXPECT_EQ(console.sineWaveValue(), 0);
    sineWave.setCheckState(Qt::PartiallyChecked);
    EXPECT_EQ(console.sineWaveValue(), 2);
}

TEST(OperatorConsoleBeforeShow, LoadsTheMainWindowHiddenOnFirstUse) {
    QtOperatorConsole console;
    EXPECT_FALSE(console.isMainWindowLoaded());
    EXPECT_EQ(console.grid().textMatrix(0, 2), u"Confidence");
    EXPECT_TRUE(console.isMainWindowLoaded());
    EXPECT_FALSE(console.mainWindow().isVisible());
    console.showMainWindow();
    console.showMainWindow();
    EXPECT_TRUE(console.mainWindow().isVisible());
    EXPECT_EQ(console.text(Control::labelStartTime), u"");
}

}  // namespace
}  // namespace corvane::ui::test
