#include "BusCall.h"

namespace corvane::remoting {

namespace {

QString text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

}  // namespace

QString BusCall::path() const { return text(message_.path()); }
QString BusCall::interface() const { return text(message_.interface()); }
QString BusCall::member() const { return text(message_.member()); }

bool BusCall::expectSignature(const char* signature)
{
    if (message_.signature() != signature) {
        failInvalidArgs(QStringLiteral("%1 takes arguments of signature \"%2\", not \"%3\"")
                            .arg(member(), QLatin1StringView(signature), text(message_.signature())));
        return false;
    }
    return true;
}

void BusCall::send(BusMessage& reply) const
{
    if (message_.expectsReply()) connection_.send(reply);
}

void BusCall::reply() const
{
    if (!message_.expectsReply()) return;
    BusMessage empty = newReply();
    connection_.send(empty);
}

void BusCall::fail(const char* errorName, const QString& text) const
{
    if (!message_.expectsReply()) return;
    BusMessage error = connection_.newError(message_, errorName, text);
    connection_.send(error);
}

void BusCall::failInvalidArgs(const QString& text) const { fail("org.freedesktop.DBus.Error.InvalidArgs", text); }

}  // namespace corvane::remoting
