#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

namespace corvane::remoting {

// The reply of the operator's Labels: a{ss}, control name to text, in the
// window's order, which a map sorted by its keys would lose.
struct OperatorLabels {
    QList<QPair<QString, QString>> entries;
};

QDBusArgument& operator<<(QDBusArgument& out, const OperatorLabels& labels);
const QDBusArgument& operator>>(const QDBusArgument& in, OperatorLabels& labels);

// Makes the type known to Qt D-Bus; any number of calls register it once.
void registerOperatorLabels();

}  // namespace corvane::remoting

Q_DECLARE_METATYPE(corvane::remoting::OperatorLabels)
