#pragma once

#include <QObject>

#include <functional>

class QPlainTextEdit;

namespace corvane::ui {

// Reports what is added at the end of a multi-line box (the write log), with
// its line breaks as CR LF like the box's text. Changes elsewhere in the
// box, and text taken away, are not growth and go unreported.
class WriteLogWatch final : public QObject {
public:
    using Grown = std::function<void(const QString& added)>;

    WriteLogWatch(QPlainTextEdit& box, Grown grown);

private:
    void contentsChanged(int position, int removed, int added);

    QPlainTextEdit& box_;
    Grown grown_;
};

}  // namespace corvane::ui
