#pragma once

#include <QDBusArgument>
#include <QDBusVariant>
#include <QMetaType>

namespace corvane::remoting {

// A (qv) frame as a registered D-Bus type. The codec streams frames itself;
// the type exists so that an empty a(qv) still carries its signature.
struct WireValueFrame {
    quint16 vt = 0;
    QDBusVariant value;
};

QDBusArgument& operator<<(QDBusArgument& out, const WireValueFrame& frame);
const QDBusArgument& operator>>(const QDBusArgument& in, WireValueFrame& frame);

// Registers the codec's D-Bus types; safe to call more than once.
void registerWireTypes();

}  // namespace corvane::remoting

Q_DECLARE_METATYPE(corvane::remoting::WireValueFrame)
