#include "OperatorCalls.h"

#include "BusCall.h"
#include "Introspection.h"
#include "RoundTrip.h"

#include "remoting/common/BusContract.h"
#include "remoting/common/OperatorLabels.h"
#include "remoting/common/WireBudget.h"
#include "remoting/common/WireText.h"
#include "server/OperatorActions.h"

#include <QDBusMetaType>
#include <QStringList>

#include <algorithm>

namespace corvane::remoting {

namespace {

void registerOperatorTypes()
{
    static const QMetaType rows = qDBusRegisterMetaType<QList<QStringList>>();
    (void)rows;
    registerOperatorLabels();
}

// A text reply that the bus would refuse, dropping the server with it, is refused here.
QString checkedText(const std::u16string& text, WireBudget& budget)
{
    budget.spend(WireBudget::textBytes(text.size()));
    return toQString(text);
}

}  // namespace

OperatorCalls::OperatorCalls(OperatorActions& actions, QString busName) : actions_(actions), busName_(std::move(busName))
{
    registerOperatorTypes();
    actions_.setWriteLogListener([this](std::u16string_view added) { writeLogGrown(added); });
}

OperatorCalls::~OperatorCalls() { actions_.setWriteLogListener(nullptr); }

struct OperatorCalls::Method {
    const char* name;
    const char* signature;
    void (OperatorCalls::*handle)(BusCall&);
};

const OperatorCalls::Method OperatorCalls::kMethods[] = {
    {"SetSineWave", "b", &OperatorCalls::setSineWave},
    {"SetPeriod", "s", &OperatorCalls::setPeriod},
    {"SetTimeError", "s", &OperatorCalls::setTimeError},
    {"EditCell", "iis", &OperatorCalls::editCell},
    {"ClearWriteLog", "", &OperatorCalls::clearWriteLog},
    {"AnswerExit", "b", &OperatorCalls::answerExit},
    {"WriteLog", "", &OperatorCalls::writeLog},
    {"WatchWriteLog", "", &OperatorCalls::watchWriteLog},
    {"UnwatchWriteLog", "", &OperatorCalls::unwatchWriteLog},
    {"GridRows", "", &OperatorCalls::gridRows},
    {"Labels", "", &OperatorCalls::labels},
    {"DataListing", "", &OperatorCalls::dataListing},
};

void OperatorCalls::handle(BusCall& call)
{
    const QString interface = call.message().interface();
    const QString member = call.message().member();
    if (interface == QLatin1StringView("org.freedesktop.DBus.Introspectable") && member == QLatin1StringView("Introspect")) {
        if (call.expectSignature("")) call.reply({introspection::operatorNode()});
        return;
    }
    if (interface.isEmpty() || interface == QLatin1StringView(contract::kOperatorInterface)) {
        for (const Method& method : kMethods) {
            if (member != QLatin1StringView(method.name)) continue;
            if (call.expectSignature(method.signature)) (this->*method.handle)(call);
            return;
        }
    }
    call.fail(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
              QStringLiteral("%1 has no method %2.%3").arg(call.path(), interface, member));
}

void OperatorCalls::setSineWave(BusCall& call)
{
    actions_.setSineWave(call.argument(0).toBool());
    call.reply({});
}

void OperatorCalls::setPeriod(BusCall& call)
{
    actions_.typePeriod(toU16(call.argument(0).toString()));
    call.reply({});
}

void OperatorCalls::setTimeError(BusCall& call)
{
    actions_.typeTimeError(toU16(call.argument(0).toString()));
    call.reply({});
}

void OperatorCalls::editCell(BusCall& call)
{
    const qint32 row = call.argument(0).toInt();
    const qint32 column = call.argument(1).toInt();
    if (!actions_.editCell(row, column, toU16(call.argument(2).toString())))
        return call.failInvalidArgs(
            QStringLiteral("row %1, column %2 is no cell the operator can edit: a data row (1 and on) in column 1 or 2")
                .arg(row)
                .arg(column));
    call.reply({});
}

void OperatorCalls::clearWriteLog(BusCall& call)
{
    actions_.clearWriteLog();
    call.reply({});
}

void OperatorCalls::answerExit(BusCall& call)
{
    const bool yes = call.argument(0).toBool();
    if (!actions_.exitQuestionOpen()) {
        actions_.answerExitQuestion(yes);
        return call.reply({});
    }
    // Yes to an open question ends the process at once: the reply leaves first.
    call.reply({});
    afterSentMessagesLeave(call.connection(), &roundTrips_, [this, yes] { actions_.answerExitQuestion(yes); });
}

void OperatorCalls::writeLog(BusCall& call)
{
    WireBudget budget;
    call.reply({checkedText(actions_.writeLog(), budget), growths_});
}

void OperatorCalls::watchWriteLog(BusCall& call)
{
    const auto known = std::find_if(watchers_.begin(), watchers_.end(),
                                    [&call](const Watcher& watcher) { return watcher.client == call.caller(); });
    if (known == watchers_.end()) watchers_.push_back({call.connection(), call.caller()});
    writeLog(call);
}

void OperatorCalls::unwatchWriteLog(BusCall& call)
{
    clientLeft(call.caller());
    call.reply({});
}

void OperatorCalls::clientLeft(const QString& client)
{
    std::erase_if(watchers_, [&client](const Watcher& watcher) { return watcher.client == client; });
}

void OperatorCalls::gridRows(BusCall& call)
{
    WireBudget budget;
    QList<QStringList> rows;
    for (const std::vector<std::u16string>& cells : actions_.gridRows()) {
        QStringList& row = rows.emplace_back();
        for (const std::u16string& cell : cells) row.push_back(checkedText(cell, budget));
    }
    WireBudget::checkArray(budget.spent());
    call.reply({QVariant::fromValue(rows)});
}

void OperatorCalls::labels(BusCall& call)
{
    WireBudget budget;
    OperatorLabels labels;
    for (const auto& [name, text] : actions_.labels())
        labels.entries.push_back({toQString(name), checkedText(text, budget)});
    call.reply({QVariant::fromValue(labels)});
}

void OperatorCalls::dataListing(BusCall& call)
{
    WireBudget budget;
    call.reply({checkedText(actions_.dataListing(), budget)});
}

void OperatorCalls::writeLogGrown(std::u16string_view added)
{
    ++growths_;
    if (watchers_.empty() || WireBudget::textBytes(added.size()) > WireBudget::kMaxMessageBytes) return;
    // Called inside whatever made the log grow (a client's write): nothing may escape.
    try {
        const QString path = QString::fromLatin1(contract::kOperatorPath);
        const QString interface = QString::fromLatin1(contract::kOperatorInterface);
        const QString name = QStringLiteral("WriteLogGrown");
        const QVariantList arguments{toQString(added), growths_};
        for (const Watcher& watcher : watchers_) {
            // On the bus addressed to the watcher alone; a direct connection has only the one peer.
            QDBusMessage signal = watcher.connection.name() == busName_
                                      ? QDBusMessage::createTargetedSignal(watcher.client, path, interface, name)
                                      : QDBusMessage::createSignal(path, interface, name);
            signal.setArguments(arguments);
            watcher.connection.send(signal);
        }
    } catch (...) {
    }
}

}  // namespace corvane::remoting
