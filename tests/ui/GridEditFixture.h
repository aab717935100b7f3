#pragma once

#include "GridRows.h"
#include "OperatorWindowFixture.h"
#include "RecordingConsoleEvents.h"
#include "ui/TextGrid.h"

#include <QLineEdit>
#include <QTableView>

namespace corvane::ui::test {

using Commits = std::vector<RecordingConsoleEvents::Commit>;

// The window with three tags in the grid and the operator's edits recorded.
class GridEditFixture : public OperatorWindowFixture {
protected:
    void SetUp() override {
        OperatorWindowFixture::SetUp();
        console.setConsoleEvents(&events);
        corvane::test::appendCaseRows(console.grid());
    }

    void addRow(std::u16string_view tag, std::u16string_view value, std::u16string_view confidence) {
        corvane::test::appendGridRow(console.grid(), tag, value, confidence);
    }

    TextGrid& grid() const { return window().gridData(); }
    QTableView& table() const { return *grid().findChild<QTableView*>(); }
    QLineEdit& editor() const { return child<QLineEdit>("txtEditInput"); }
    bool editorShown() const { return editor().isVisible(); }

    QPoint cellCentre(int row, int col) const {
        return table().viewport()->mapFrom(&grid(), grid().cellRect(row, col).center());
    }

    void clickCell(int row, int col) const {
        QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, cellCentre(row, col));
    }

    // A click then a double-click: item views take a lone double-click for a
    // press.
    void doubleClickCell(int row, int col) const {
        clickCell(row, col);
        QTest::mouseDClick(table().viewport(), Qt::LeftButton, {}, cellCentre(row, col));
    }

    // Keys go wherever the focus is, as the operator's do.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static void type(const char* text) {
        for (const char* c = text; *c != '\0'; ++c) {
            QTest::keyClicks(QApplication::focusWidget(), QString(QChar(*c)));
        }
    }

    QString cell(int row, int col) const { return grid().text(row, col); }

    // The table lays itself out at the next event, and shows or hides its
    // scroll bars at the one after.
    static void settle() {
        QApplication::processEvents();
        QApplication::processEvents();
    }

    RecordingConsoleEvents events;
};

}  // namespace corvane::ui::test
