#include "ui/GridHeaderView.h"

namespace corvane::ui {

QSize GridHeaderView::sizeHint() const {
    if (orientation() == Qt::Vertical && minimumWidth() == maximumWidth()) {
        return {minimumWidth(), defaultSectionSize()};
    }
    if (orientation() == Qt::Horizontal && minimumHeight() == maximumHeight()) {
        return {defaultSectionSize(), minimumHeight()};
    }
    return QHeaderView::sizeHint();
}

}  // namespace corvane::ui
