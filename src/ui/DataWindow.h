#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace corvane::ui {

// frmData: the listing of the samples of the last history synthesis. It has
// no behaviour of its own; it is destroyed when the operator closes it.
class DataWindow final : public QWidget {
    Q_OBJECT

public:
    DataWindow();

    QPlainTextEdit& txtData() const { return *txtData_; }

private:
    QPlainTextEdit* txtData_;
};

}  // namespace corvane::ui
