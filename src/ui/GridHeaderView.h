#pragma once

#include <QHeaderView>

namespace corvane::ui {

// A header of the grid's table: the caption row or the fixed first column.
// The grid fixes their extent across the sections (the first column's width,
// the caption row's height), so that extent is the size hint; Qt's own hint
// would measure the text of up to 200 sections every time the table lays
// itself out, which it does after each row that comes or goes.
class GridHeaderView final : public QHeaderView {
    Q_OBJECT

public:
    GridHeaderView(Qt::Orientation orientation, QWidget* parent) : QHeaderView(orientation, parent) {}

    QSize sizeHint() const override;
};

}  // namespace corvane::ui
