#pragma once

#include <QTableWidget>

class QAbstractButton;
class QHelpEvent;

namespace corvane::ui {

class CurrentCellSelectionModel;

// The Qt table inside TextGrid. Its headers are the grid's fixed caption row
// and fixed first column, so they never scroll away and can never become the
// current cell; the corner button shows the text of cell (0, 0).
// It turns Qt's events into the few the grid's users need. Texts too long for
// their cells are clipped at the cell's edge, never shortened with an
// ellipsis (which would hide the exponent of a long number), and the whole
// text of a data or name cell shows as its tooltip. The grid scrolls only
// when the operator scrolls it or moves the current cell with the keys: a
// click does not scroll a partly visible cell into view, so an editor opened
// over it stays over it.
class GridTableView final : public QTableWidget {
    Q_OBJECT

public:
    explicit GridTableView(QWidget* parent = nullptr);

    CurrentCellSelectionModel& currentCellModel() const { return *currentCellModel_; }

    QString cornerText() const { return cornerText_; }
    void setCornerText(const QString& text);

    // Lays out rows, headers and scroll bars now instead of at the next event.
    void layOutNow() { executeDelayedItemsLayout(); }

signals:
    void focusReceived();
    void characterTyped(int code);
    void doubleClickedAnywhere();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The character code a key press types in the sense of a key-press event:
    // Escape, Backspace and Enter included, Tab and Delete not; -1 for none.
    static int characterCode(const QKeyEvent& event);
    void paintCorner();
    // The whole text of the cell under the mouse as its tooltip, since cells
    // clip theirs; none for an empty cell.
    void showCellText(QWidget& area, const QHelpEvent& event, const QRect& cell, const QString& text);
    void showNameCellText(const QHelpEvent& event);

    CurrentCellSelectionModel* currentCellModel_;
    QAbstractButton* corner_;
    QString cornerText_;
};

}  // namespace corvane::ui
