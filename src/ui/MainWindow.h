#pragma once

#include "server/OperatorConsole.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace corvane {
class ConsoleEvents;
}

namespace corvane::ui {

class CellEditor;
class DataWindowSlot;
class GridEditor;
class TextGrid;

// frmMain, the operator's window. Its controls have fixed places; the object
// model writes and reads them through the operator console.
class MainWindow final : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(DataWindowSlot& dataWindow);

    // The control of this window that `control` names (not txtData, which is
    // on frmData).
    QWidget& control(Control control) const;
    TextGrid& gridData() const { return *gridData_; }
    const QCheckBox& chkSineWave() const { return *chkSineWave_; }

    // Shows "Fetch"; tmrClrFetch hides it again.
    void dataFetch();

    // Asks the exit question; false on No, and on Yes the process ends.
    bool requestUnload();

    // Where committed grid edits go; none at first.
    void setConsoleEvents(ConsoleEvents* events);
    // GridEdit: opens the cell editor over the current cell, as a typed
    // character code would.
    void gridEdit(int keyAscii);
    // nEditCol: the grid column of the edit opened last.
    std::int32_t editColumn() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void fitCaptions();
    void setFocusOrder();
    void load();
    void watchSessionEnd();
    void clearFetchIndicator();

    QLabel* addLabel(const char* name, const char* caption, QRect geometry);
    QLineEdit* addTextBox(const char* name, const char* text, QRect geometry);
    QPushButton* addButton(const char* name, const char* caption, QRect geometry);

    DataWindowSlot& dataWindow_;

    QLineEdit* txtTesselHost_ = nullptr;
    QLineEdit* txtUserName_ = nullptr;
    QLineEdit* txtPassword_ = nullptr;
    QPushButton* cmdData_ = nullptr;
    QCheckBox* chkSineWave_ = nullptr;
    CellEditor* txtEditInput_ = nullptr;
    TextGrid* gridData_ = nullptr;
    QLineEdit* txtTimeError_ = nullptr;
    QLineEdit* txtPeriod_ = nullptr;
    QLabel* txtHistoryType_ = nullptr;
    QLabel* labelStartTime_ = nullptr;
    QLabel* labelEndTime_ = nullptr;
    QLabel* labelSampleFrequency_ = nullptr;
    QLabel* labelNumSamples_ = nullptr;
    QLabel* labelFetch_ = nullptr;
    QTimer* tmrClrFetch_ = nullptr;
    QPlainTextEdit* txtWriteLog_ = nullptr;
    QPushButton* btnClearWriteLog_ = nullptr;
    GridEditor* gridEditor_ = nullptr;
};

}  // namespace corvane::ui
