#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantList>

namespace corvane::remoting {

// One incoming method call and the means to answer it.
class BusCall {
public:
    // `caller` is whom references are counted for: the sender's unique bus
    // name, or the client that a direct connection stands for.
    BusCall(const QDBusMessage& message, const QDBusConnection& connection, QString caller)
        : message_(message), connection_(connection), caller_(std::move(caller))
    {
    }

    const QDBusMessage& message() const { return message_; }
    const QString& caller() const { return caller_; }
    // The connection the call came on, which its reply goes back on.
    const QDBusConnection& connection() const { return connection_; }
    QString path() const { return message_.path(); }
    const QVariant& argument(int index) const { return arguments_.at(index); }

    // True when the call carries exactly `signature`; otherwise answers with
    // InvalidArgs and returns false.
    bool expectSignature(const char* signature);

    void reply(const QVariantList& values) const;
    void fail(const QString& errorName, const QString& text) const;
    void failInvalidArgs(const QString& text) const;

private:
    const QDBusMessage& message_;
    const QDBusConnection& connection_;
    QString caller_;
    QVariantList arguments_;
};

}  // namespace corvane::remoting
