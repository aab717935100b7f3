#include "TypeInfoWire.h"

#include <QDBusMetaType>

namespace corvane::remoting {

QDBusArgument& operator<<(QDBusArgument& out, const WireParam& param)
{
    out.beginStructure();
    out << param.name << param.type << param.interfaceName << param.byRef << param.optional;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, WireParam& param)
{
    in.beginStructure();
    in >> param.name >> param.type >> param.interfaceName >> param.byRef >> param.optional;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const WireMember& member)
{
    out.beginStructure();
    out << member.name << member.id << member.kind << member.params << member.resultType << member.resultInterface
        << member.flags;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, WireMember& member)
{
    in.beginStructure();
    in >> member.name >> member.id >> member.kind >> member.params >> member.resultType >> member.resultInterface
        >> member.flags;
    in.endStructure();
    return in;
}

void registerTypeInfoTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<WireParam>();
        qDBusRegisterMetaType<WireMember>();
        qDBusRegisterMetaType<QList<WireParam>>();
        qDBusRegisterMetaType<QList<WireMember>>();
        return true;
    }();
    (void)registered;
}

}  // namespace corvane::remoting
