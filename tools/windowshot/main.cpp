// Draws the operator window with a few tags, a query and some writes filled
// in, and saves it as a PNG: the picture of the layout in the documentation.
//   corvane_windowshot docs/operator-window.png

#include "SampleWindowContents.h"
#include "ui/MainWindow.h"
#include "ui/QtOperatorConsole.h"

#include <QApplication>
#include <QPixmap>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: corvane_windowshot FILE.png\n", stderr);
        return 2;
    }
    corvane::ui::QtOperatorConsole console;
    console.showMainWindow();
    corvane::tools::fillInSampleSession(console);
    QApplication::processEvents();
    if (!console.mainWindow().grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
