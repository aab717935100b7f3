#pragma once

#include <QObject>
#include <QString>

#include <string_view>
#include <vector>

namespace corvane {
class OperatorActions;
}

namespace corvane::remoting {

class BusCall;
class BusConnection;

// The operator's controls on the bus: org.corvane.Operator1 at
// /org/corvane/CorvaneSim/Operator, each call handed to the operator actions
// as it stands, and the signal WriteLogGrown whenever the write log grows,
// sent to the clients that watch the log. No part of the object model's
// contract: its clients never meet it.
class OperatorCalls {
public:
    explicit OperatorCalls(OperatorActions& actions);
    ~OperatorCalls();
    OperatorCalls(const OperatorCalls&) = delete;
    OperatorCalls& operator=(const OperatorCalls&) = delete;

    // Any call to the operator's path, Introspect included.
    void handle(BusCall& call);
    // A client gone from the bus or a direct connection closed: it watches no more.
    void clientLeft(const QString& client);

private:
    struct Method;
    // Each method's name, its arguments' signature, and the handler, which
    // finds the arguments checked.
    static const Method kMethods[];

    void setSineWave(BusCall& call);
    void setPeriod(BusCall& call);
    void setTimeError(BusCall& call);
    void editCell(BusCall& call);
    void clearWriteLog(BusCall& call);
    void answerExit(BusCall& call);
    void writeLog(BusCall& call);
    void watchWriteLog(BusCall& call);
    void unwatchWriteLog(BusCall& call);
    void gridRows(BusCall& call);
    void labels(BusCall& call);
    void dataListing(BusCall& call);
    void writeLogGrown(std::u16string_view added);

    struct Watcher {
        BusConnection* connection;  // goes only after its clients have left
        QString client;  // its unique bus name, or the direct connection it stands for
    };

    OperatorActions& actions_;
    // A signal costs the server a good part of what the write that sets it
    // off costs, so it goes only to those who asked for it.
    std::vector<Watcher> watchers_;
    // How often the log has grown since the server started.
    quint64 growths_ = 0;
    // Owns the round trips of answers waiting for their reply to leave.
    QObject roundTrips_;
};

}  // namespace corvane::remoting
