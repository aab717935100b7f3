#include "OperatorCalls.h"

#include "BusCall.h"
#include "Introspection.h"
#include "RoundTrip.h"

#include "remoting/common/BusContract.h"
#include "remoting/common/BusValueWriter.h"
#include "remoting/common/WireBudget.h"
#include "remoting/common/WireText.h"
#include "server/OperatorActions.h"


#include <algorithm>

namespace corvane::remoting {

namespace {

// A text reply that the bus would refuse, dropping the server with it, is refused here.
void appendChecked(BusMessage& out, const std::u16string& text, WireBudget& budget)
{
    budget.spend(WireBudget::textBytes(text.size()));
    out.appendText(toQString(text).toUtf8().constData());
}

QString textArgument(BusMessage& in)
{
    return fromWireUtf8(in.readText());
}

}  // namespace

OperatorCalls::OperatorCalls(OperatorActions& actions) : actions_(actions)
{
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
    const QString interface = call.interface();
    const QString member = call.member();
    if (interface == QLatin1StringView("org.freedesktop.DBus.Introspectable") && member == QLatin1StringView("Introspect")) {
        if (!call.expectSignature("")) return;
        BusMessage reply = call.newReply();
        reply.appendText(introspection::operatorNode().toUtf8().constData());
        return call.send(reply);
    }
    if (interface.isEmpty() || interface == QLatin1StringView(contract::kOperatorInterface)) {
        for (const Method& method : kMethods) {
            if (member != QLatin1StringView(method.name)) continue;
            if (call.expectSignature(method.signature)) (this->*method.handle)(call);
            return;
        }
    }
    call.fail("org.freedesktop.DBus.Error.UnknownMethod",
              QStringLiteral("%1 has no method %2.%3").arg(call.path(), interface, member));
}

void OperatorCalls::setSineWave(BusCall& call)
{
    actions_.setSineWave(call.arguments().readBool());
    call.reply();
}

void OperatorCalls::setPeriod(BusCall& call)
{
    actions_.typePeriod(toU16(textArgument(call.arguments())));
    call.reply();
}

void OperatorCalls::setTimeError(BusCall& call)
{
    actions_.typeTimeError(toU16(textArgument(call.arguments())));
    call.reply();
}

void OperatorCalls::editCell(BusCall& call)
{
    const qint32 row = call.arguments().readInt32();
    const qint32 column = call.arguments().readInt32();
    if (!actions_.editCell(row, column, toU16(textArgument(call.arguments()))))
        return call.failInvalidArgs(
            QStringLiteral("row %1, column %2 is no cell the operator can edit: a data row (1 and on) in column 1 or 2")
                .arg(row)
                .arg(column));
    call.reply();
}

void OperatorCalls::clearWriteLog(BusCall& call)
{
    actions_.clearWriteLog();
    call.reply();
}

void OperatorCalls::answerExit(BusCall& call)
{
    const bool yes = call.arguments().readBool();
    if (!actions_.exitQuestionOpen()) {
        actions_.answerExitQuestion(yes);
        return call.reply();
    }
    // Yes to an open question ends the process at once: the reply leaves first.
    call.reply();
    afterSentMessagesLeave(call.connection(), &roundTrips_, [this, yes] { actions_.answerExitQuestion(yes); });
}

void OperatorCalls::writeLog(BusCall& call)
{
    WireBudget budget;
    BusMessage reply = call.newReply();
    appendChecked(reply, actions_.writeLog(), budget);
    reply.appendUInt64(growths_);
    call.send(reply);
}

void OperatorCalls::watchWriteLog(BusCall& call)
{
    const auto known = std::find_if(watchers_.begin(), watchers_.end(),
                                    [&call](const Watcher& watcher) { return watcher.client == call.caller(); });
    if (known == watchers_.end()) watchers_.push_back({&call.connection(), call.caller()});
    writeLog(call);
}

void OperatorCalls::unwatchWriteLog(BusCall& call)
{
    clientLeft(call.caller());
    call.reply();
}

void OperatorCalls::clientLeft(const QString& client)
{
    std::erase_if(watchers_, [&client](const Watcher& watcher) { return watcher.client == client; });
}

void OperatorCalls::gridRows(BusCall& call)
{
    WireBudget budget;
    BusMessage reply = call.newReply();
    reply.open('a', "as");
    for (const std::vector<std::u16string>& cells : actions_.gridRows()) {
        reply.open('a', "s");
        for (const std::u16string& cell : cells) appendChecked(reply, cell, budget);
        reply.close();
    }
    reply.close();
    WireBudget::checkArray(budget.spent());
    call.send(reply);
}

void OperatorCalls::labels(BusCall& call)
{
    // In the window's order, which a map sorted by its keys would lose.
    WireBudget budget;
    BusMessage reply = call.newReply();
    reply.open('a', "{ss}");
    for (const auto& [name, text] : actions_.labels()) {
        reply.open('e', "ss");
        reply.appendText(toQString(name).toUtf8().constData());
        appendChecked(reply, text, budget);
        reply.close();
    }
    reply.close();
    call.send(reply);
}

void OperatorCalls::dataListing(BusCall& call)
{
    WireBudget budget;
    BusMessage reply = call.newReply();
    appendChecked(reply, actions_.dataListing(), budget);
    call.send(reply);
}

void OperatorCalls::writeLogGrown(std::u16string_view added)
{
    ++growths_;
    if (watchers_.empty() || WireBudget::textBytes(added.size()) > WireBudget::kMaxMessageBytes) return;
    // Called inside whatever made the log grow (a client's write): nothing may escape.
    try {
        const QByteArray text = toQString(added).toUtf8();
        for (const Watcher& watcher : watchers_) {
            BusMessage signal = watcher.connection->newSignal(contract::kOperatorPath, contract::kOperatorInterface,
                                                              "WriteLogGrown");
            // On the bus addressed to the watcher alone; a direct connection has only the one peer.
            if (!watcher.connection->isPeer()) signal.setDestination(watcher.client.toLatin1().constData());
            signal.appendText(text.constData());
            signal.appendUInt64(growths_);
            watcher.connection->send(signal);
        }
    } catch (...) {
    }
}

}  // namespace corvane::remoting
