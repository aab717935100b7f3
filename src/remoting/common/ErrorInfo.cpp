#include "ErrorInfo.h"

#include "WireFormatError.h"

namespace corvane::remoting {

QVariant encoded(const ErrorInfo& info)
{
    QDBusArgument out;
    out.beginStructure();
    out << qint32(info.code) << info.source << info.description;
    out.endStructure();
    return QVariant::fromValue(out);
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
    in.beginStructure();
    in >> info.code >> info.source >> info.description;
    in.endStructure();
    return info;
}

}  // namespace corvane::remoting
