#pragma once

#include <QItemSelectionModel>

namespace corvane::ui {

// Tells before the current cell changes, whatever moves it (mouse, keys or
// code), so that an open cell edit can still be written into the cell it
// belongs to.
class CurrentCellSelectionModel final : public QItemSelectionModel {
    Q_OBJECT

public:
    using QItemSelectionModel::QItemSelectionModel;

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;

    // While muted, changes go unannounced: used while rows are added or
    // removed, which must not disturb an open edit.
    void setMuted(bool muted) { muted_ = muted; }
    bool isMuted() const { return muted_; }

signals:
    void currentAboutToChange();

private:
    bool muted_ = false;
};

}  // namespace corvane::ui
