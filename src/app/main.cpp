#include "CommandLine.h"
#include "DisplayPlatform.h"
#include "ServerApplication.h"
#include "ServiceRegistration.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

using corvane::app::Command;

namespace {

int registerService(bool install)
{
    corvane::app::ServiceRegistration registration;
    QString error;
    const bool done = install ? registration.install(QCoreApplication::applicationFilePath(), error)
                              : registration.remove(error);
    if (!done) {
        std::fprintf(stderr, "corvanesim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s %s\n", install ? "Registered" : "Unregistered", qPrintable(registration.serviceFilePath()));
    return 0;
}

int serve(int argc, char** argv)
{
    const corvane::app::DisplayPlatform display = corvane::app::DisplayPlatform::chooseFromEnvironment();
    QApplication application(argc, argv);
    display.reportFallback(QGuiApplication::platformName().toUtf8());
    // The process lives while the main window is loaded; only the exit
    // question (or the loss of the bus) ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    corvane::app::ServerApplication server;
    QString error;
    if (!server.start(error)) {
        std::fprintf(stderr, "corvanesim: %s\n", qPrintable(error));
        return 1;
    }
    return application.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(QString::fromLocal8Bit(argv[i]));
    switch (corvane::app::commandOf(arguments)) {
    case Command::PrintVersion:
        std::printf("%s %s\n", corvane::app::kProductName, corvane::app::kProductVersion);
        return 0;
    case Command::PrintUsage:
        std::fputs(corvane::app::kUsage, stdout);
        return 0;
    case Command::RegisterService:
    case Command::UnregisterService: {
        QCoreApplication application(argc, argv);
        return registerService(corvane::app::commandOf(arguments) == Command::RegisterService);
    }
    case Command::Serve:
        return serve(argc, argv);
    case Command::Unknown:
        std::fprintf(stderr, "corvanesim: unknown arguments\n%s", corvane::app::kUsage);
        return 2;
    }
    return 2;
}
