#include "ServiceRegistration.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace corvane::app {

namespace {

// The bus splits Exec like a shell; single quotes keep any other path in one piece.
QString quotedForExec(const QString& path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9/._+-]+$"));
    if (plain.match(path).hasMatch()) return path;
    QString quoted = path;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

}  // namespace

ServiceRegistration::ServiceRegistration(const QProcessEnvironment& environment)
{
    const QString dataHome = environment.value(QStringLiteral("XDG_DATA_HOME"));
    const QString base = QDir::isAbsolutePath(dataHome)
                             ? dataHome
                             : environment.value(QStringLiteral("HOME"), QDir::homePath()) + QStringLiteral("/.local/share");
    folder_ = QDir::cleanPath(base + QStringLiteral("/dbus-1/services"));
}

QString ServiceRegistration::serviceFileText(const QString& executablePath)
{
    return QStringLiteral("[D-BUS Service]\nName=org.corvane.CorvaneSim\nExec=%1\n").arg(quotedForExec(executablePath));
}

bool ServiceRegistration::install(const QString& executablePath, QString& error) const
{
    if (!QDir().mkpath(folder_)) {
        error = QStringLiteral("cannot create %1").arg(folder_);
        return false;
    }
    QSaveFile file(serviceFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(serviceFileText(executablePath).toUtf8()) < 0
        || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(serviceFilePath(), file.errorString());
        return false;
    }
    return true;
}

bool ServiceRegistration::remove(QString& error) const
{
    QFile file(serviceFilePath());
    if (!file.exists() || file.remove()) return true;
    error = QStringLiteral("cannot remove %1: %2").arg(serviceFilePath(), file.errorString());
    return false;
}

}  // namespace corvane::app
