#include "ui/MultiLineText.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace corvane::ui {

QString multiLineText(const QPlainTextEdit& box) {
    const QTextDocument* document = box.document();
    QString text;
    text.reserve(document->characterCount() + document->blockCount());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block != document->begin()) {
            text += u"\r\n";
        }
        text += block.text();
    }
    return text;
}

void appendMultiLineText(QPlainTextEdit& box, const QString& more) {
    QTextCursor cursor(box.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(more);
}

}  // namespace corvane::ui
