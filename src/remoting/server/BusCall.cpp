#include "BusCall.h"

#include <QLatin1StringView>

namespace corvane::remoting {

bool BusCall::expectSignature(const char* signature)
{
    if (message_.signature() != QLatin1StringView(signature)) {
        failInvalidArgs(QStringLiteral("%1 takes arguments of signature \"%2\", not \"%3\"")
                            .arg(message_.member(), QLatin1StringView(signature), message_.signature()));
        return false;
    }
    arguments_ = message_.arguments();
    return true;
}

void BusCall::reply(const QVariantList& values) const
{
    if (message_.isReplyRequired()) connection_.send(message_.createReply(values));
}

void BusCall::fail(const QString& errorName, const QString& text) const
{
    if (message_.isReplyRequired()) connection_.send(message_.createErrorReply(errorName, text));
}

void BusCall::failInvalidArgs(const QString& text) const
{
    fail(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"), text);
}

}  // namespace corvane::remoting
