#include "PrivateBus.h"

#include "ProcessExitWatch.h"

#include <QDBusConnectionInterface>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUuid>

#include <csignal>

namespace corvane::remoting::test {

namespace {

const char kConfig[] = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=%1</listen>
  <auth>EXTERNAL</auth>
  <servicedir>%2</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

}  // namespace

QProcessEnvironment PrivateBus::daemonEnvironment(const QString& runtimeFolder)
{
    // Servers started by the bus inherit this; none may find the user's bus.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "DBUS_STARTER_ADDRESS", "DBUS_STARTER_BUS_TYPE"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
    return environment;
}

PrivateBus::PrivateBus(const QString& serviceFolder)
{
    const QString runtime = folder_.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString configPath = folder_.filePath(QStringLiteral("bus.conf"));
    QFile config(configPath);
    if (!config.open(QIODevice::WriteOnly)) return;
    config.write(QString::fromLatin1(kConfig).arg(QDir::tempPath(), serviceFolder).toUtf8());
    config.close();

    QObject::connect(&daemon_, &QProcess::readyReadStandardError, &daemon_, [this] { log_ += QString::fromLocal8Bit(daemon_.readAllStandardError()); });
    daemon_.setProcessEnvironment(daemonEnvironment(runtime));
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--config-file=") + configPath, QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
    if (!daemon_.waitForStarted()) return;
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(10000)) {
    }
    address_ = QString::fromLocal8Bit(daemon_.readLine()).trimmed();
    if (address_.isEmpty()) return;
    control_ = QDBusConnection::connectToBus(address_, QStringLiteral("bus-control-") + QUuid::createUuid().toString());
}

PrivateBus::~PrivateBus()
{
    if (running() && daemon_.state() == QProcess::Running) killOwner(QStringLiteral("org.corvane.CorvaneSim"));
    endDaemon();
}

void PrivateBus::endDaemon()
{
    if (control_.isConnected()) QDBusConnection::disconnectFromBus(control_.name());
    if (daemon_.state() == QProcess::NotRunning) return;
    daemon_.terminate();
    if (!daemon_.waitForFinished(5000)) daemon_.kill();
    daemon_.waitForFinished(5000);
}

QProcessEnvironment PrivateBus::clientEnvironment() const
{
    QProcessEnvironment environment = daemonEnvironment(folder_.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
    return environment;
}

QString PrivateBus::log()
{
    log_ += QString::fromLocal8Bit(daemon_.readAllStandardError());
    return log_;
}

bool PrivateBus::waitForLog(const QString& text, int timeoutMs)
{
    if (log().contains(text)) return true;
    QEventLoop loop;
    QObject::connect(&daemon_, &QProcess::readyReadStandardError, &loop, [this, &loop, &text] {
        if (log().contains(text)) loop.exit(0);
    });
    QTimer::singleShot(timeoutMs, &loop, [&loop] { loop.exit(1); });
    return loop.exec() == 0;
}

quint32 PrivateBus::ownerPid(const QString& name)
{
    const QDBusReply<uint> pid = control_.interface()->servicePid(name);
    return pid.isValid() ? pid.value() : 0;
}

void PrivateBus::killOwner(const QString& name)
{
    if (const quint32 pid = ownerPid(name)) {
        ::kill(pid_t(pid), SIGKILL);
        waitForProcessEnd(pid_t(pid));
    }
}

}  // namespace corvane::remoting::test
