#include "QtErrorInfo.h"

#include "remoting/common/WireFormatError.h"

#include <QDBusMetaType>

namespace corvane::remoting {

QDBusArgument& operator<<(QDBusArgument& out, const ErrorInfo& info)
{
    out.beginStructure();
    out << qint32(info.code) << info.source << info.description;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, ErrorInfo& info)
{
    in.beginStructure();
    in >> info.code >> info.source >> info.description;
    in.endStructure();
    return in;
}

QVariant encoded(const ErrorInfo& info)
{
    static const bool registered = (qDBusRegisterMetaType<ErrorInfo>(), true);
    (void)registered;
    return QVariant::fromValue(info);
}

ErrorInfo decodeErrorInfo(const QVariant& argument)
{
    if (argument.metaType() != QMetaType::fromType<QDBusArgument>())
        throw WireFormatError(QStringLiteral("error information must have signature (iss)"));
    const QDBusArgument in = argument.value<QDBusArgument>();
    if (in.currentSignature() != QLatin1StringView("(iss)"))
        throw WireFormatError(QStringLiteral("error information must have signature (iss), not \"%1\"")
                                  .arg(in.currentSignature()));
    ErrorInfo info;
    in >> info;
    return info;
}

}  // namespace corvane::remoting
