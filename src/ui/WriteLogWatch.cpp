#include "ui/WriteLogWatch.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace corvane::ui {

WriteLogWatch::WriteLogWatch(QPlainTextEdit& box, Grown grown) : QObject(&box), box_(box), grown_(std::move(grown)) {
    connect(box_.document(), &QTextDocument::contentsChange, this, &WriteLogWatch::contentsChanged);
}

void WriteLogWatch::contentsChanged(int position, int removed, int added) {
    QTextDocument& document = *box_.document();
    // The document counts its closing paragraph mark too, and text set as a
    // whole reports that mark among what it added.
    const int end = document.characterCount() - 1;
    if (removed != 0 || added <= 0 || position + added < end) {
        return;
    }
    QTextCursor cursor(&document);
    cursor.setPosition(position);
    cursor.setPosition(std::min(position + added, end), QTextCursor::KeepAnchor);
    QString text = cursor.selectedText();
    if (text.isEmpty()) {
        return;
    }
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    grown_(text);
}

}  // namespace corvane::ui
