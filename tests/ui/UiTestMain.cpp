#include "ExitChildScenario.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery runs without the tests' environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // frmData may be the last window closed; the tests go on.
    QApplication::setQuitOnLastWindowClosed(false);

    if (const auto scenario = corvane::ui::test::exitChildScenario(QApplication::arguments())) {
        return corvane::ui::test::runExitChildScenario(*scenario);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
