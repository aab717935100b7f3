#pragma once

#include "remoting/common/ErrorInfo.h"

#include <QDBusArgument>
#include <QMetaType>
#include <QVariant>

namespace corvane::remoting {

QDBusArgument& operator<<(QDBusArgument& out, const ErrorInfo& info);
const QDBusArgument& operator>>(const QDBusArgument& in, ErrorInfo& info);

// As a message argument of signature (iss).
QVariant encoded(const ErrorInfo& info);
// Reads an (iss); throws WireFormatError for anything else.
ErrorInfo decodeErrorInfo(const QVariant& argument);

}  // namespace corvane::remoting

Q_DECLARE_METATYPE(corvane::remoting::ErrorInfo)
