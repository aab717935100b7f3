#include "OperatorLabels.h"

#include <QDBusMetaType>

namespace corvane::remoting {

QDBusArgument& operator<<(QDBusArgument& out, const OperatorLabels& labels)
{
    out.beginMap(QMetaType::fromType<QString>(), QMetaType::fromType<QString>());
    for (const auto& [name, text] : labels.entries) {
        out.beginMapEntry();
        out << name << text;
        out.endMapEntry();
    }
    out.endMap();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, OperatorLabels& labels)
{
    labels.entries.clear();
    in.beginMap();
    while (!in.atEnd()) {
        QString name;
        QString text;
        in.beginMapEntry();
        in >> name >> text;
        in.endMapEntry();
        labels.entries.push_back({name, text});
    }
    in.endMap();
    return in;
}

void registerOperatorLabels()
{
    static const QMetaType registered = qDBusRegisterMetaType<OperatorLabels>();
    (void)registered;
}

}  // namespace corvane::remoting
