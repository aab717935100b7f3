#include "ui/MainWindow.h"

#include "ui/CellEditor.h"
#include "ui/DataWindowSlot.h"
#include "ui/ExitQuestion.h"
#include "ui/GridEditor.h"
#include "ui/TextGrid.h"
#include "ui/Twips.h"
#include "ui/WindowFont.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSessionManager>
#include <QTimer>

#include <algorithm>
#include <stdexcept>

namespace corvane::ui {

MainWindow::MainWindow(DataWindowSlot& dataWindow) : dataWindow_(dataWindow) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Corvane Emulator"));
    setFont(dialogFont());
    resize(twipsToPixels(9000), twipsToPixels(5820));

    createControls();
    fitCaptions();
    setFocusOrder();
    load();
    watchSessionEnd();
}

void MainWindow::createControls() {
    addLabel("Label5", "Tessel Host", twipsRect(120, 120, 735, 255));
    txtTesselHost_ = addTextBox("txtTesselHost", "", twipsRect(1200, 120, 2175, 285));
    addLabel("Label1", "User Name", twipsRect(120, 480, 975, 255));
    txtUserName_ = addTextBox("txtUserName", "", twipsRect(1200, 480, 2175, 285));
    addLabel("Label2", "Password", twipsRect(120, 840, 975, 255));
    txtPassword_ = addTextBox("txtPassword", "", twipsRect(1200, 840, 2175, 285));

    cmdData_ = addButton("cmdData", "Data", twipsRect(3720, 600, 615, 375));
    connect(cmdData_, &QPushButton::clicked, this, [this] { dataWindow_.showInFront(); });

    chkSineWave_ = new QCheckBox(QStringLiteral("Sinewave"), this);
    chkSineWave_->setObjectName(QStringLiteral("chkSineWave"));
    chkSineWave_->setGeometry(twipsRect(3720, 1200, 1215, 375));
    chkSineWave_->setChecked(true);

    gridData_ = new TextGrid(this);
    gridData_->setObjectName(QStringLiteral("gridData"));
    gridData_->setGeometry(twipsRect(210, 1515, 3150, 1905));

    // Created after the grid so that it is drawn over it.
    txtEditInput_ = new CellEditor(this);
    txtEditInput_->setGeometry(twipsRect(2280, 1200, 960, 285));
    txtEditInput_->hide();
    gridEditor_ = new GridEditor(*gridData_, *txtEditInput_, this);

    addLabel("Label7", "Time Error", twipsRect(3480, 1680, 975, 255));
    txtTimeError_ = addTextBox("txtTimeError", "0", twipsRect(3480, 1920, 960, 285));
    addLabel("Label6", "Period (sec)", twipsRect(3480, 2520, 975, 255));
    txtPeriod_ = addTextBox("txtPeriod", "1234", twipsRect(3480, 2760, 960, 285));
    txtHistoryType_ = addLabel("txtHistoryType", "-", twipsRect(3480, 3240, 1095, 255));

    addLabel("Label8", "Start:", twipsRect(240, 3600, 495, 255));
    labelStartTime_ = addLabel("labelStartTime", "", twipsRect(840, 3600, 2775, 255));
    addLabel("Label9", "End:", twipsRect(240, 3960, 615, 255));
    labelEndTime_ = addLabel("labelEndTime", "", twipsRect(840, 3960, 2775, 255));
    addLabel("Label3", "Sample Frequency:", twipsRect(240, 4680, 1455, 255));
    labelSampleFrequency_ = addLabel("labelSampleFrequency", "-", twipsRect(1680, 4680, 855, 255));
    addLabel("Label4", "Samples:", twipsRect(3000, 4680, 735, 255));
    labelNumSamples_ = addLabel("labelNumSamples", "-", twipsRect(3720, 4680, 615, 255));

    labelFetch_ = addLabel("labelFetch", "Fetch", twipsRect(240, 5160, 735, 255));
    labelFetch_->setFont(fetchIndicatorFont());
    QPalette darkGreen = labelFetch_->palette();
    darkGreen.setColor(QPalette::WindowText, QColor(0, 128, 0));
    labelFetch_->setPalette(darkGreen);
    labelFetch_->hide();

    tmrClrFetch_ = new QTimer(this);
    tmrClrFetch_->setObjectName(QStringLiteral("tmrClrFetch"));
    tmrClrFetch_->setInterval(250);
    connect(tmrClrFetch_, &QTimer::timeout, this, &MainWindow::clearFetchIndicator);

    addLabel("Label10", "Writes", twipsRect(5160, 240, 855, 255));
    txtWriteLog_ = new QPlainTextEdit(this);
    txtWriteLog_->setObjectName(QStringLiteral("txtWriteLog"));
    txtWriteLog_->setGeometry(twipsRect(5160, 480, 3495, 4095));
    txtWriteLog_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtWriteLog_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtWriteLog_->setTabChangesFocus(true);

    btnClearWriteLog_ = addButton("btnClearWriteLog", "Clear", twipsRect(7440, 4680, 1215, 375));
    connect(btnClearWriteLog_, &QPushButton::clicked, txtWriteLog_, &QPlainTextEdit::clear);
}

QLabel* MainWindow::addLabel(const char* name, const char* caption, QRect geometry) {
    auto* label = new QLabel(QString::fromLatin1(caption), this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    // Shown as written: the object model puts client texts into labels.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void MainWindow::fitCaptions() {
    // Every text is in the one dialog font; a caption that the face at hand
    // draws wider than its box gets a wider box, as far as the next control
    // to its right (or the window's edge) leaves room.
    constexpr int kGap = 4;
    for (QLabel* label : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect box = label->geometry();
        const int needed = label->sizeHint().width();
        if (needed <= box.width()) {
            continue;
        }
        int room = width() - kGap - box.left();
        for (const QWidget* other : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            const QRect place = other->geometry();
            const bool beside = place.top() <= box.bottom() && place.bottom() >= box.top();
            if (other != label && other != txtEditInput_ && beside && place.left() > box.left()) {
                room = std::min(room, place.left() - kGap - box.left());
            }
        }
        label->resize(std::max(box.width(), std::min(needed, room)), box.height());
    }
}

QLineEdit* MainWindow::addTextBox(const char* name, const char* text, QRect geometry) {
    auto* box = new QLineEdit(QString::fromLatin1(text), this);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    return box;
}

QPushButton* MainWindow::addButton(const char* name, const char* caption, QRect geometry) {
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

void MainWindow::setFocusOrder() {
    QWidget* const order[] = {txtUserName_, txtPassword_,   gridData_,     txtEditInput_, txtPeriod_,  cmdData_,
                              txtTesselHost_, txtTimeError_, chkSineWave_, txtWriteLog_,  btnClearWriteLog_};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    txtUserName_->setFocus();
}

void MainWindow::load() {
    gridData_->setCols(3);
    gridData_->setColWidth(0, twipsToPixels(1000));
    gridData_->setColWidth(1, twipsToPixels(1000));
    gridData_->setText(0, 0, QStringLiteral("Tag"));
    gridData_->setText(0, 1, QStringLiteral("Value"));
    gridData_->setText(0, 2, QStringLiteral("Confidence"));
    labelStartTime_->clear();
    labelEndTime_->clear();
}

void MainWindow::watchSessionEnd() {
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        // Without leave to interact the question cannot be asked; the window
        // then stays, as after a No.
        if (manager.allowsInteraction()) {
            if (!requestUnload()) {
                manager.cancel();
            }
            manager.release();
        }
    });
#endif
}

QWidget& MainWindow::control(Control control) const {
    switch (control) {
    case Control::txtTesselHost:
        return *txtTesselHost_;
    case Control::txtUserName:
        return *txtUserName_;
    case Control::txtPassword:
        return *txtPassword_;
    case Control::labelStartTime:
        return *labelStartTime_;
    case Control::labelEndTime:
        return *labelEndTime_;
    case Control::labelSampleFrequency:
        return *labelSampleFrequency_;
    case Control::txtHistoryType:
        return *txtHistoryType_;
    case Control::labelNumSamples:
        return *labelNumSamples_;
    case Control::txtTimeError:
        return *txtTimeError_;
    case Control::txtPeriod:
        return *txtPeriod_;
    case Control::txtWriteLog:
        return *txtWriteLog_;
    case Control::txtData:
        break;
    }
    throw std::invalid_argument("not a control of frmMain");
}

void MainWindow::dataFetch() {
    labelFetch_->show();
    // Enabling a running timer does not restart it.
    if (!tmrClrFetch_->isActive()) {
        tmrClrFetch_->start();
    }
}

void MainWindow::clearFetchIndicator() {
    labelFetch_->hide();
    tmrClrFetch_->stop();
}

void MainWindow::setConsoleEvents(ConsoleEvents* events) {
    gridEditor_->setConsoleEvents(events);
}

void MainWindow::gridEdit(int keyAscii) {
    gridEditor_->open(keyAscii);
}

std::int32_t MainWindow::editColumn() const {
    return gridEditor_->editColumn();
}

bool MainWindow::requestUnload() {
    return confirmExitOrEndProcess(*this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Returns only on No, which keeps the window.
    requestUnload();
    event->ignore();
}

}  // namespace corvane::ui
