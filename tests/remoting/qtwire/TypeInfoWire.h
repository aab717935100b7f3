#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>

namespace corvane::remoting {

// A member's parameter in the reply of GetTypeInfo: (s name, q type code,
// s interface of an object type, b by reference, b optional).
struct WireParam {
    QString name;
    quint16 type = 0;
    QString interfaceName;
    bool byRef = false;
    bool optional = false;
};

// A member in the reply of GetTypeInfo: (s name, i dispatch identifier,
// q kind as its invoke flag, a(sqsbb) parameters, q result type code (0 for
// none), s result interface, q flags: 1 hidden, 2 default member, 4 enumerator).
struct WireMember {
    QString name;
    qint32 id = 0;
    quint16 kind = 0;
    QList<WireParam> params;
    quint16 resultType = 0;
    QString resultInterface;
    quint16 flags = 0;
};

QDBusArgument& operator<<(QDBusArgument& out, const WireParam& param);
const QDBusArgument& operator>>(const QDBusArgument& in, WireParam& param);
QDBusArgument& operator<<(QDBusArgument& out, const WireMember& member);
const QDBusArgument& operator>>(const QDBusArgument& in, WireMember& member);

// Registers the types above; safe to call more than once.
void registerTypeInfoTypes();

}  // namespace corvane::remoting

Q_DECLARE_METATYPE(corvane::remoting::WireParam)
Q_DECLARE_METATYPE(corvane::remoting::WireMember)
