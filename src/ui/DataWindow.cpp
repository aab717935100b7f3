#include "ui/DataWindow.h"

#include "ui/Twips.h"
#include "ui/WindowFont.h"

#include <QPlainTextEdit>

namespace corvane::ui {

DataWindow::DataWindow() : txtData_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("frmData"));
    setWindowTitle(QStringLiteral("Data"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(dialogFont());
    resize(twipsToPixels(6660), twipsToPixels(7155));

    txtData_->setObjectName(QStringLiteral("txtData"));
    txtData_->setGeometry(twipsRect(120, 120, 6015, 6855));
    txtData_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtData_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtData_->setTabChangesFocus(true);
}

}  // namespace corvane::ui
