#include "ui/QtOperatorActions.h"

#include "ui/CellEditor.h"
#include "ui/ControlText.h"
#include "ui/DataWindow.h"
#include "ui/GridEditor.h"
#include "ui/MainWindow.h"
#include "ui/QtOperatorConsole.h"
#include "ui/QtText.h"
#include "ui/TextGrid.h"
#include "ui/WriteLogWatch.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <stdexcept>
#include <string>

namespace corvane::ui {

namespace {

template <class Widget>
Widget& named(const MainWindow& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        throw std::logic_error(std::string("frmMain has no ") + name);
    }
    return *widget;
}

// The texts that labels() reads, in the window's order around the check box.
constexpr Control kBeforeCheckBox[] = {Control::txtTesselHost, Control::txtUserName, Control::txtPassword};
constexpr Control kAfterCheckBox[] = {Control::txtTimeError,   Control::txtPeriod,    Control::txtHistoryType,
                                      Control::labelStartTime, Control::labelEndTime, Control::labelSampleFrequency,
                                      Control::labelNumSamples};

}  // namespace

QtOperatorActions::QtOperatorActions(QtOperatorConsole& console) : console_(console) {
    // The log exists once the window is loaded; until then it cannot grow.
    console_.whenMainWindowLoaded([this](MainWindow& window) {
        auto& log = static_cast<QPlainTextEdit&>(window.control(Control::txtWriteLog));
        writeLogWatch_ = new WriteLogWatch(log, [this](const QString& added) {
            if (writeLogListener_) {
                writeLogListener_(toU16(added));
            }
        });
    });
}

QtOperatorActions::~QtOperatorActions() {
    console_.whenMainWindowLoaded(nullptr);
    delete writeLogWatch_.data();
}

MainWindow& QtOperatorActions::window() const {
    return console_.mainWindow();
}

void QtOperatorActions::setSineWave(bool checked) {
    auto& box = named<QCheckBox>(window(), "chkSineWave");
    if (box.isChecked() != checked) {
        box.click();
    }
}

void QtOperatorActions::typeInto(Control control, std::u16string_view text) {
    auto& box = static_cast<QLineEdit&>(window().control(control));
    box.selectAll();
    box.insert(toQString(text));
}

void QtOperatorActions::typePeriod(std::u16string_view text) {
    typeInto(Control::txtPeriod, text);
}

void QtOperatorActions::typeTimeError(std::u16string_view text) {
    typeInto(Control::txtTimeError, text);
}

bool QtOperatorActions::editCell(std::int32_t row, std::int32_t column, std::u16string_view text) {
    MainWindow& main = window();
    TextGrid& grid = main.gridData();
    if (row < grid.fixedRows() || row >= grid.rows() || column < grid.fixedCols() || column >= grid.cols()) {
        return false;
    }
    // The click: the grid takes the focus, which commits an edit left open
    // (also in a window that is not active and so gets no focus events), and
    // the cell becomes current.
    grid.setFocus(Qt::MouseFocusReason);
    main.findChild<GridEditor*>()->commit();
    grid.setCurrentCell(row, column);
    // The double-click opens the editor on the cell's text; the new text is typed over it.
    main.gridEdit(32);
    auto& editor = named<CellEditor>(main, "txtEditInput");
    editor.selectAll();
    editor.insert(toQString(text));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(&editor, &enter);
    return true;
}

void QtOperatorActions::clearWriteLog() {
    named<QPushButton>(window(), "btnClearWriteLog").click();
}

void QtOperatorActions::answerExitQuestion(bool yes) {
    exitAnswers_.answerOnce(yes);
}

bool QtOperatorActions::exitQuestionOpen() const {
    return exitAnswers_.questionOpen();
}

std::u16string QtOperatorActions::writeLog() const {
    return console_.text(Control::txtWriteLog);
}

OperatorActions::Rows QtOperatorActions::gridRows() const {
    const GridControl& grid = window().gridData();
    Rows rows(static_cast<std::size_t>(grid.rows()));
    for (std::int32_t row = 0; row < grid.rows(); ++row) {
        for (std::int32_t column = 0; column < grid.cols(); ++column) {
            rows[static_cast<std::size_t>(row)].push_back(grid.textMatrix(row, column));
        }
    }
    return rows;
}

OperatorActions::Labels QtOperatorActions::labels() const {
    const MainWindow& main = window();
    Labels shown;
    const auto add = [&shown](const QWidget& control, const QString& text) {
        shown.emplace_back(toU16(control.objectName()), toU16(text));
    };
    for (Control control : kBeforeCheckBox) {
        add(main.control(control), controlText(main.control(control)));
    }
    add(main.chkSineWave(), QString::number(console_.sineWaveValue()));
    for (Control control : kAfterCheckBox) {
        add(main.control(control), controlText(main.control(control)));
    }
    const auto& fetch = named<QLabel>(main, "labelFetch");
    add(fetch, fetch.isHidden() ? QString() : fetch.text());
    return shown;
}

std::u16string QtOperatorActions::dataListing() const {
    // Reading it must not load it.
    if (!console_.dataWindow().isLoaded()) {
        return {};
    }
    return toU16(controlText(console_.dataWindow().window().txtData()));
}

void QtOperatorActions::setWriteLogListener(WriteLogListener listener) {
    writeLogListener_ = std::move(listener);
}

}  // namespace corvane::ui
