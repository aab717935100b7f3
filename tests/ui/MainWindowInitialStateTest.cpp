#include "OperatorWindowFixture.h"
#include "ui/TextGrid.h"
#include "ui/Twips.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace corvane::ui::test {
namespace {

struct ExpectedControl {
    const char* name;
    const char* text;
    int left, top, width, height;  // twips
    bool visible;
};

// The window's layout as the operator sees it at start.
constexpr ExpectedControl kLayout[] = {
    {"Label5", "Tessel Host", 120, 120, 735, 255, true},
    {"txtTesselHost", "", 1200, 120, 2175, 285, true},
    {"Label1", "User Name", 120, 480, 975, 255, true},
    {"txtUserName", "", 1200, 480, 2175, 285, true},
    {"Label2", "Password", 120, 840, 975, 255, true},
    {"txtPassword", "", 1200, 840, 2175, 285, true},
    {"cmdData", "Data", 3720, 600, 615, 375, true},
    {"chkSineWave", "Sinewave", 3720, 1200, 1215, 375, true},
    {"txtEditInput", "", 2280, 1200, 960, 285, false},
    {"gridData", nullptr, 210, 1515, 3150, 1905, true},
    {"Label7", "Time Error", 3480, 1680, 975, 255, true},
    {"txtTimeError", "0", 3480, 1920, 960, 285, true},
    {"Label6", "Period (sec)", 3480, 2520, 975, 255, true},
    {"txtPeriod", "1234", 3480, 2760, 960, 285, true},
    {"txtHistoryType", "-", 3480, 3240, 1095, 255, true},
    {"Label8", "Start:", 240, 3600, 495, 255, true},
    {"labelStartTime", "", 840, 3600, 2775, 255, true},
    {"Label9", "End:", 240, 3960, 615, 255, true},
    {"labelEndTime", "", 840, 3960, 2775, 255, true},
    {"Label3", "Sample Frequency:", 240, 4680, 1455, 255, true},
    {"labelSampleFrequency", "-", 1680, 4680, 855, 255, true},
    {"Label4", "Samples:", 3000, 4680, 735, 255, true},
    {"labelNumSamples", "-", 3720, 4680, 615, 255, true},
    {"labelFetch", "Fetch", 240, 5160, 735, 255, false},
    {"Label10", "Writes", 5160, 240, 855, 255, true},
    {"txtWriteLog", "", 5160, 480, 3495, 4095, true},
    {"btnClearWriteLog", "Clear", 7440, 4680, 1215, 375, true},
};

QString shownText(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(&widget)) {
        return line->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text();
    }
    if (const auto* lines = qobject_cast<const QPlainTextEdit*>(&widget)) {
        return lines->toPlainText();
    }
    return {};
}

using MainWindowAtStart = OperatorWindowFixture;

TEST_F(MainWindowAtStart, ShowsEveryControlWithItsTextWhereTheLayoutPutsIt) {
    for (const ExpectedControl& expected : kLayout) {
        SCOPED_TRACE(expected.name);
        const auto& widget = child<QWidget>(expected.name);
        const QRect place = twipsRect(expected.left, expected.top, expected.width, expected.height);
        if (qobject_cast<const QLabel*>(&widget) != nullptr && widget.width() > place.width()) {
            // A caption wider than its box in the face at hand grows to the right.
            EXPECT_EQ(widget.geometry(), QRect(place.topLeft(), QSize(widget.width(), place.height())));
            EXPECT_LE(widget.width(), widget.sizeHint().width());
        } else {
            EXPECT_EQ(widget.geometry(), place);
        }
        EXPECT_EQ(widget.isVisible(), expected.visible);
        if (expected.text != nullptr) {
            EXPECT_EQ(shownText(widget), QString::fromLatin1(expected.text));
        }
    }
}

TEST_F(MainWindowAtStart, DrawsEveryCaptionWholeInTheOneDialogFontWithoutCoveringAnotherControl) {
    const QList<QWidget*> controls = window().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (const ExpectedControl& expected : kLayout) {
        const auto* label = qobject_cast<const QLabel*>(&child<QWidget>(expected.name));
        if (label == nullptr || label->objectName() == QStringLiteral("labelFetch")) {
            continue;  // the fetch indicator has a font of its own
        }
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(label->font(), window().font());
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        if (label->width() == twipsToPixels(expected.width)) {
            continue;
        }
        for (const QWidget* other : controls) {
            if (other != label && other->objectName() != QStringLiteral("txtEditInput")) {
                EXPECT_FALSE(label->geometry().intersects(other->geometry())) << other->objectName().toStdString();
            }
        }
    }
}

TEST_F(MainWindowAtStart, HasItsCaptionAndClientSize) {
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Corvane Emulator"));
    EXPECT_EQ(window().size(), QSize(600, 388));
}

TEST_F(MainWindowAtStart, ShowsTheGridWithItsCaptionRowOnly) {
    const TextGrid& grid = child<TextGrid>("gridData");
    EXPECT_EQ(grid.rows(), 1);
    EXPECT_EQ(grid.cols(), 3);
    EXPECT_EQ(grid.text(0, 0), QStringLiteral("Tag"));
    EXPECT_EQ(grid.text(0, 1), QStringLiteral("Value"));
    EXPECT_EQ(grid.text(0, 2), QStringLiteral("Confidence"));
    EXPECT_EQ(grid.colWidth(0), twipsToPixels(1000));
    EXPECT_EQ(grid.colWidth(1), twipsToPixels(1000));
    EXPECT_FALSE(grid.hasDataRows());
}

TEST_F(MainWindowAtStart, HasTheSynthesisSettingsAtTheirDefaults) {
    EXPECT_EQ(child<QCheckBox>("chkSineWave").checkState(), Qt::Checked);
    EXPECT_EQ(console.sineWaveValue(), 1);
    EXPECT_EQ(console.text(Control::txtPeriod), u"1234");
    EXPECT_EQ(console.text(Control::txtTimeError), u"0");
}

TEST_F(MainWindowAtStart, HidesTheFetchIndicatorInBoldDarkGreenWithItsTimerStopped) {
    const auto& fetch = child<QLabel>("labelFetch");
    EXPECT_TRUE(fetch.font().bold());
    EXPECT_DOUBLE_EQ(fetch.font().pointSizeF(), 9.75);
    EXPECT_EQ(fetch.palette().color(QPalette::WindowText), QColor(0, 128, 0));
    const auto* timer = window().findChild<QTimer*>(QStringLiteral("tmrClrFetch"));
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(timer->interval(), 250);
}

TEST_F(MainWindowAtStart, ShowsThePasswordAsTyped) {
    EXPECT_EQ(child<QLineEdit>("txtPassword").echoMode(), QLineEdit::Normal);
}

TEST_F(MainWindowAtStart, WrapsTheWriteLogWithAVerticalScrollBar) {
    const auto& log = child<QPlainTextEdit>("txtWriteLog");
    EXPECT_EQ(log.lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(log.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(log.isReadOnly());
}

TEST_F(MainWindowAtStart, PutsTheFocusInTheUserNameAndTabsThroughTheControlsInOrder) {
    EXPECT_EQ(focusedControlName(), QStringLiteral("txtUserName"));
    const QString order[] = {"txtPassword", "gridData",    "txtPeriod",   "cmdData",          "txtTesselHost",
                             "txtTimeError", "chkSineWave", "txtWriteLog", "btnClearWriteLog", "txtUserName"};
    for (const QString& next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(focusedControlName(), next);
    }
}

}  // namespace
}  // namespace corvane::ui::test
