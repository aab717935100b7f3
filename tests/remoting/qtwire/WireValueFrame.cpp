#include "WireValueFrame.h"

#include <QDBusMetaType>

namespace corvane::remoting {

QDBusArgument& operator<<(QDBusArgument& out, const WireValueFrame& frame)
{
    out.beginStructure();
    out << frame.vt << frame.value;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, WireValueFrame& frame)
{
    in.beginStructure();
    in >> frame.vt >> frame.value;
    in.endStructure();
    return in;
}

void registerWireTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<WireValueFrame>();
        qDBusRegisterMetaType<QList<WireValueFrame>>();
        return true;
    }();
    (void)registered;
}

}  // namespace corvane::remoting
