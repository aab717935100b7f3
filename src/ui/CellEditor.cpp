#include "ui/CellEditor.h"

#include <QKeyEvent>

namespace corvane::ui {

CellEditor::CellEditor(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("txtEditInput"));
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
    // The shift state does not matter: Shift+Down moves like Down.
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        emit escapePressed();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        emit enterPressed();
        return;
    case Qt::Key_Down:
        event->accept();
        emit downPressed();
        return;
    case Qt::Key_Up:
        event->accept();
        emit upPressed();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

}  // namespace corvane::ui
