#include "ui/CurrentCellSelectionModel.h"

namespace corvane::ui {

void CurrentCellSelectionModel::setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) {
    if (!muted_ && index != currentIndex()) {
        emit currentAboutToChange();
    }
    QItemSelectionModel::setCurrentIndex(index, command);
}

}  // namespace corvane::ui
