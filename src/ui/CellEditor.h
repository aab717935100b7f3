#pragma once

#include <QLineEdit>

namespace corvane::ui {

// txtEditInput, the text box laid over a grid cell while it is edited. The
// keys that end or move an edit are reported instead of being typed; every
// other key edits the text as in any single-line box.
class CellEditor final : public QLineEdit {
    Q_OBJECT

public:
    explicit CellEditor(QWidget* parent = nullptr);

signals:
    void escapePressed();
    // Also swallows the carriage return, so that it is neither typed nor
    // passed on to the window.
    void enterPressed();
    void downPressed();
    void upPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace corvane::ui
