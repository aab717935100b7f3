#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantList>

namespace corvane::remoting {

// One incoming method call and the means to answer it.
class BusCall {
public:
    BusCall(const QDBusMessage& message, const QDBusConnection& connection)
        : message_(message), connection_(connection)
    {
    }

    const QDBusMessage& message() const { return message_; }
    // The caller's unique bus name: whom references are counted for.
    QString caller() const { return message_.service(); }
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
    QVariantList arguments_;
};

}  // namespace corvane::remoting
