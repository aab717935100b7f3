#include "ui/GridTableView.h"

#include "ui/CurrentCellSelectionModel.h"
#include "ui/GridHeaderView.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QToolTip>

namespace corvane::ui {

GridTableView::GridTableView(QWidget* parent)
    : QTableWidget(parent),
      currentCellModel_(new CurrentCellSelectionModel(model(), this)),
      corner_(findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly)) {
    QItemSelectionModel* qtDefault = selectionModel();
    setSelectionModel(currentCellModel_);
    delete qtDefault;

    setEditTriggers(NoEditTriggers);  // the window lays its own editor over a cell
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setTabKeyNavigation(false);  // Tab leaves the grid
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerItem);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);

    setHorizontalHeader(new GridHeaderView(Qt::Horizontal, this));
    setVerticalHeader(new GridHeaderView(Qt::Vertical, this));
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setTextElideMode(Qt::ElideNone);
        header->viewport()->installEventFilter(this);
    }
    if (corner_ != nullptr) {
        corner_->installEventFilter(this);
    }
}

void GridTableView::setCornerText(const QString& text) {
    cornerText_ = text;
    if (corner_ != nullptr) {
        corner_->update();
    }
}

int GridTableView::characterCode(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return -1;
    default:
        break;
    }
    const QList<uint> codes = event.text().toUcs4();
    if (codes.isEmpty() || codes.front() == 0x7F) {
        return -1;
    }
    return static_cast<int>(codes.front());
}

void GridTableView::focusInEvent(QFocusEvent* event) {
    // Announced before Qt may pick a current cell of its own.
    emit focusReceived();
    QTableWidget::focusInEvent(event);
}

void GridTableView::keyPressEvent(QKeyEvent* event) {
    const int code = characterCode(*event);
    if (code < 0) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    // A typed character opens the cell editor; the grid has no editing or
    // keyboard search of its own.
    event->accept();
    emit characterTyped(code);
}

void GridTableView::inputMethodEvent(QInputMethodEvent* event) {
    // A character composed by an input method types like a key press.
    const QList<uint> codes = event->commitString().toUcs4();
    event->accept();
    if (!codes.isEmpty()) {
        emit characterTyped(static_cast<int>(codes.front()));
    }
}

void GridTableView::mousePressEvent(QMouseEvent* event) {
    // Qt scrolls a clicked cell into view half a second after the click (so
    // as not to move it between the two clicks of a double-click), by which
    // time the operator may be typing into an editor laid over the cell.
    const bool autoScroll = hasAutoScroll();
    setAutoScroll(false);
    QTableWidget::mousePressEvent(event);
    setAutoScroll(autoScroll);
}

void GridTableView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    emit doubleClickedAnywhere();
}

bool GridTableView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto& help = static_cast<const QHelpEvent&>(*event);
        const QModelIndex index = indexAt(help.pos());
        showCellText(*viewport(), help, visualRect(index), index.data().toString());
        return true;
    }
    return QTableWidget::viewportEvent(event);
}

void GridTableView::showNameCellText(const QHelpEvent& event) {
    const QHeaderView& names = *verticalHeader();
    const int section = names.logicalIndexAt(event.pos());
    const QTableWidgetItem* item = section >= 0 ? verticalHeaderItem(section) : nullptr;
    const QRect cell(0, names.sectionViewportPosition(section), names.viewport()->width(), names.sectionSize(section));
    showCellText(*names.viewport(), event, cell, item != nullptr ? item->text() : QString());
}

void GridTableView::showCellText(QWidget& area, const QHelpEvent& event, const QRect& cell, const QString& text) {
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(event.globalPos(), text, &area, cell);
}

bool GridTableView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        paintCorner();
        return true;
    }
    // The captions have no tooltip; the names in the fixed column do.
    if (event->type() == QEvent::ToolTip && watched == verticalHeader()->viewport()) {
        showNameCellText(static_cast<const QHelpEvent&>(*event));
        return true;
    }
    // The headers and the corner are cells of the grid: a click there focuses
    // the grid and a double-click counts like one on a data cell.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        setFocus(Qt::MouseFocusReason);
        return watched == corner_;  // the corner must not select every cell
    case QEvent::MouseButtonRelease:
        return watched == corner_;
    case QEvent::MouseButtonDblClick:
        setFocus(Qt::MouseFocusReason);
        emit doubleClickedAnywhere();
        return true;
    default:
        return false;
    }
}

void GridTableView::paintCorner() {
    QStylePainter painter(corner_);
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.state |= QStyle::State_Enabled | QStyle::State_Raised;
    option.rect = corner_->rect();
    option.text = cornerText_;
    option.textAlignment = horizontalHeader()->defaultAlignment();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.orientation = Qt::Horizontal;
    painter.drawControl(QStyle::CE_Header, option);
}

}  // namespace corvane::ui
