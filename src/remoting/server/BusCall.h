#pragma once

#include "BusConnection.h"

#include "remoting/common/BusMessage.h"

#include <QString>

namespace corvane::remoting {

// One incoming method call and the means to answer it.
class BusCall {
public:
    // `caller` is whom references are counted for: the sender's unique bus
    // name, or the client that a direct connection stands for.
    BusCall(BusMessage& message, BusConnection& connection, QString caller)
        : message_(message), connection_(connection), caller_(std::move(caller))
    {
    }

    // The call's arguments, read in order.
    BusMessage& arguments() { return message_; }
    const BusMessage& message() const { return message_; }
    const QString& caller() const { return caller_; }
    // The connection the call came on, which its reply goes back on.
    BusConnection& connection() const { return connection_; }
    QString path() const;
    QString interface() const;
    QString member() const;

    // True when the call carries exactly `signature`; otherwise answers with
    // InvalidArgs and returns false.
    bool expectSignature(const char* signature);

    // A reply to fill in and send.
    BusMessage newReply() const { return connection_.newReply(message_); }
    void send(BusMessage& reply) const;
    // An empty reply.
    void reply() const;
    void fail(const char* errorName, const QString& text) const;
    void failInvalidArgs(const QString& text) const;

private:
    BusMessage& message_;
    BusConnection& connection_;
    QString caller_;
};

}  // namespace corvane::remoting
