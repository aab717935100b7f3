#include "OperatorBus.h"

#include "CommandError.h"

#include "remoting/common/BusContract.h"
#include "remoting/common/OperatorLabels.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QUuid>

namespace corvane::cli {

namespace {

namespace contract = remoting::contract;

const QString kService = QString::fromLatin1(contract::kServiceName);
const QString kPath = QString::fromLatin1(contract::kOperatorPath);
const QString kInterface = QString::fromLatin1(contract::kOperatorInterface);

// A reply's first argument in the plain type it was sent in.
template <class T>
T first(const QDBusMessage& reply)
{
    const QList<QVariant> arguments = reply.arguments();
    T value{};
    if (!arguments.isEmpty()) {
        if (arguments.front().metaType() == QMetaType::fromType<QDBusArgument>())
            arguments.front().value<QDBusArgument>() >> value;
        else
            value = arguments.front().value<T>();
    }
    return value;
}

std::string failure(const QDBusMessage& reply)
{
    const QString name = reply.errorName();
    if (name == QLatin1StringView("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1StringView("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return "the emulator is not known to this session bus: register it with 'corvanesim --regserver'";
    if (name.startsWith(QLatin1StringView("org.freedesktop.DBus.Error.Spawn.")))
        return "the bus could not start the emulator: " + reply.errorMessage().toStdString();
    if (name == QLatin1StringView("org.freedesktop.DBus.Error.InvalidArgs"))
        return reply.errorMessage().toStdString();
    return (name + QStringLiteral(": ") + reply.errorMessage()).toStdString();
}

}  // namespace

OperatorBus::OperatorBus()
    : connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                QStringLiteral("corvane-operator-") + QUuid::createUuid().toString())),
      owned_(true)
{
    if (!connection_.isConnected()) {
        const std::string reason = connection_.lastError().message().toStdString();
        QDBusConnection::disconnectFromBus(connection_.name());
        throw CommandError("there is no session bus (" + reason + "): run inside one (dbus-run-session) or use scripts/run.sh");
    }
}

OperatorBus::OperatorBus(QDBusConnection connection) : connection_(std::move(connection)), owned_(false) {}

OperatorBus::~OperatorBus()
{
    if (owned_) QDBusConnection::disconnectFromBus(connection_.name());
}

QDBusMessage OperatorBus::call(const char* method, const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, QString::fromLatin1(method));
    message.setArguments(arguments);
    // Long enough for the bus to start the emulator and for it to load its tags.
    const QDBusMessage reply = connection_.call(message, QDBus::Block, 120000);
    if (reply.type() == QDBusMessage::ErrorMessage) throw CommandError(failure(reply));
    return reply;
}

void OperatorBus::setSineWave(bool checked) { call("SetSineWave", {checked}); }

void OperatorBus::setPeriod(const std::string& text) { call("SetPeriod", {QString::fromStdString(text)}); }

void OperatorBus::setTimeError(const std::string& text) { call("SetTimeError", {QString::fromStdString(text)}); }

void OperatorBus::editCell(std::int32_t row, std::int32_t column, const std::string& text)
{
    call("EditCell", {row, column, QString::fromStdString(text)});
}

void OperatorBus::clearWriteLog() { call("ClearWriteLog"); }

void OperatorBus::answerExit(bool yes) { call("AnswerExit", {yes}); }

std::string OperatorBus::writeLog() { return first<QString>(call("WriteLog")).toStdString(); }

std::vector<std::vector<std::string>> OperatorBus::gridRows()
{
    std::vector<std::vector<std::string>> rows;
    for (const QStringList& cells : first<QList<QStringList>>(call("GridRows"))) {
        std::vector<std::string>& row = rows.emplace_back();
        for (const QString& cell : cells) row.push_back(cell.toStdString());
    }
    return rows;
}

std::vector<std::pair<std::string, std::string>> OperatorBus::labels()
{
    std::vector<std::pair<std::string, std::string>> labels;
    for (const auto& [name, text] : first<remoting::OperatorLabels>(call("Labels")).entries)
        labels.emplace_back(name.toStdString(), text.toStdString());
    return labels;
}

std::string OperatorBus::dataListing() { return first<QString>(call("DataListing")).toStdString(); }

void OperatorBus::followWriteLog(const std::function<void(const std::string&)>& print)
{
    QEventLoop loop;
    QDBusServiceWatcher ended(kService, connection_, QDBusServiceWatcher::WatchForUnregistration);
    connect(&ended, &QDBusServiceWatcher::serviceUnregistered, &loop, &QEventLoop::quit);
    // Listening first, then asking the signals for this connection along with
    // the log so far; the count of growths tells those already in it.
    follower_ = print;
    connection_.connect(kService, kPath, kInterface, QStringLiteral("WriteLogGrown"), this,
                        SLOT(writeLogGrown(QString, qulonglong)));
    const QDBusMessage reply = call("WatchWriteLog");
    seen_ = reply.arguments().value(1).toULongLong();
    print(reply.arguments().value(0).toString().toStdString());
    loop.exec();
}

void OperatorBus::writeLogGrown(const QString& added, qulonglong growths)
{
    if (growths <= seen_) return;
    seen_ = growths;
    if (follower_) follower_(added.toStdString());
}

}  // namespace corvane::cli
