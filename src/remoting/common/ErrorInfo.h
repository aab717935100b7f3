#pragma once

#include <QDBusArgument>
#include <QMetaType>
#include <QString>
#include <QVariant>

#include <cstdint>

namespace corvane::remoting {

class BusMessage;

// The (iss) that travels with a result code: code, source, description.
struct ErrorInfo {
    std::int32_t code = 0;
    QString source;
    QString description;
};

QDBusArgument& operator<<(QDBusArgument& out, const ErrorInfo& info);
const QDBusArgument& operator>>(const QDBusArgument& in, ErrorInfo& info);

// As a message argument of signature (iss).
QVariant encoded(const ErrorInfo& info);
// Reads an (iss); throws WireFormatError for anything else.
ErrorInfo decodeErrorInfo(const QVariant& argument);

// The same on a message: one (iss) written, or read (WireFormatError for anything else).
void write(BusMessage& out, const ErrorInfo& info);
ErrorInfo readErrorInfo(BusMessage& in);

}  // namespace corvane::remoting

Q_DECLARE_METATYPE(corvane::remoting::ErrorInfo)
