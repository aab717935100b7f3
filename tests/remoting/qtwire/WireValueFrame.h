#pragma once

#include <QDBusArgument>
#include <QDBusVariant>
#include <QMetaType>

namespace corvane::remoting {

// A (qv) frame as a registered D-Bus type, so that frames and lists of them
// go straight into a message (an empty a(qv) included) without being written
// into a separate argument first and copied.
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
Q_DECLARE_METATYPE(QList<corvane::remoting::WireValueFrame>)
