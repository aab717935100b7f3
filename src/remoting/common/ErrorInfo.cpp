#include "ErrorInfo.h"

#include "BusMessage.h"
#include "WireFormatError.h"

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

void write(BusMessage& out, const ErrorInfo& info)
{
    out.open('r', "iss");
    out.appendInt32(info.code);
    out.appendText(info.source.toUtf8().constData());
    out.appendText(info.description.toUtf8().constData());
    out.close();
}

ErrorInfo readErrorInfo(BusMessage& in)
{
    ErrorInfo info;
    in.enter('r', "iss");
    info.code = in.readInt32();
    const std::string_view source = in.readText();
    info.source = QString::fromUtf8(source.data(), qsizetype(source.size()));
    const std::string_view description = in.readText();
    info.description = QString::fromUtf8(description.data(), qsizetype(description.size()));
    in.exit();
    return info;
}

}  // namespace corvane::remoting
