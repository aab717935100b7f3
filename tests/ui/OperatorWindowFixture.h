#pragma once

#include "QtPrinters.h"
#include "ui/MainWindow.h"
#include "ui/QtOperatorConsole.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace corvane::ui::test {

// The operator console with frmMain shown and active, as after server start.
class OperatorWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        console.showMainWindow();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }

    MainWindow& window() const { return console.mainWindow(); }

    template <typename Widget>
    Widget& child(const char* name) const {
        auto* widget = window().findChild<Widget*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            throw std::runtime_error(std::string("no control ") + name);
        }
        return *widget;
    }

    // The name of the control with the focus (the grid's inner table counts
    // as the grid).
    static QString focusedControlName() {
        QWidget* widget = QApplication::focusWidget();
        while (widget != nullptr && widget->objectName().isEmpty()) {
            widget = widget->parentWidget();
        }
        return widget != nullptr ? widget->objectName() : QString();
    }

    mutable QtOperatorConsole console;
};

}  // namespace corvane::ui::test
