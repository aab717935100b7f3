#include "Introspection.h"

#include "automation/TypeInfo.h"
#include "remoting/common/BusContract.h"
#include "remoting/common/WireText.h"

#include <QHash>

#include <vector>

namespace corvane::remoting::introspection {

namespace {

struct Arg {
    const char* name;
    const char* type;
    bool out;
};

struct Method {
    const char* name;
    std::vector<Arg> args;
};

const std::vector<Method> kClassFactory = {
    {"CreateInstance", {{"classId", "s", false}, {"hresult", "i", true}, {"object", "o", true}, {"error", "(iss)", true}}},
};
const std::vector<Method> kDirectConnection = {
    {"Address", {{"address", "s", true}}},
};
const std::vector<Method> kObject = {
    {"AddRef", {{"count", "u", true}}},
    {"Release", {{"count", "u", true}}},
};
const std::vector<Method> kDispatch = {
    {"GetIDsOfNames", {{"names", "as", false}, {"hresult", "i", true}, {"ids", "ai", true}}},
    {"Invoke",
     {{"id", "i", false}, {"flags", "q", false}, {"args", "a(qv)", false}, {"namedIds", "ai", false},
      {"hresult", "i", true}, {"result", "(qv)", true}, {"args", "a(qv)", true}, {"excepinfo", "(iss)", true},
      {"argErr", "u", true}}},
    {"GetTypeInfo",
     {{"name", "s", true}, {"iid", "s", true}, {"members", "a(siqa(sqsbb)qsq)", true}}},
};
const std::vector<Method> kEnumVariant = {
    {"Next", {{"count", "u", false}, {"items", "a(qv)", true}}},
    {"Skip", {{"count", "u", false}, {"complete", "b", true}}},
    {"Reset", {}},
    {"Clone", {{"enumerator", "o", true}}},
};

const std::vector<Method> kOperator = {
    {"SetSineWave", {{"checked", "b", false}}},
    {"SetPeriod", {{"text", "s", false}}},
    {"SetTimeError", {{"text", "s", false}}},
    {"EditCell", {{"row", "i", false}, {"column", "i", false}, {"text", "s", false}}},
    {"ClearWriteLog", {}},
    {"AnswerExit", {{"yes", "b", false}}},
    {"WriteLog", {{"text", "s", true}, {"growths", "t", true}}},
    {"WatchWriteLog", {{"text", "s", true}, {"growths", "t", true}}},
    {"UnwatchWriteLog", {}},
    {"GridRows", {{"rows", "aas", true}}},
    {"Labels", {{"labels", "a{ss}", true}}},
    {"DataListing", {{"text", "s", true}}},
};
const std::vector<Method> kOperatorSignals = {
    {"WriteLogGrown", {{"added", "s", true}, {"growths", "t", true}}},
};

const char kStandardInterfaces[] =
    "  <interface name=\"org.freedesktop.DBus.Introspectable\">\n"
    "    <method name=\"Introspect\"><arg name=\"xml\" type=\"s\" direction=\"out\"/></method>\n"
    "  </interface>\n"
    "  <interface name=\"org.freedesktop.DBus.Peer\">\n"
    "    <method name=\"Ping\"/>\n"
    "    <method name=\"GetMachineId\"><arg name=\"machine_uuid\" type=\"s\" direction=\"out\"/></method>\n"
    "  </interface>\n";

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

QString membersXml(const char* element, const std::vector<Method>& members)
{
    QString xml;
    const bool methods = QLatin1StringView(element) == QLatin1StringView("method");
    for (const Method& member : members) {
        xml += QStringLiteral("    <%1 name=\"%2\">\n").arg(QLatin1StringView(element), QLatin1StringView(member.name));
        for (const Arg& arg : member.args) {
            xml += QStringLiteral("      <arg name=\"%1\" type=\"%2\"").arg(QLatin1StringView(arg.name), QLatin1StringView(arg.type));
            // A signal's arguments have no direction.
            if (methods) xml += QStringLiteral(" direction=\"%1\"").arg(QLatin1StringView(arg.out ? "out" : "in"));
            xml += QStringLiteral("/>\n");
        }
        xml += QStringLiteral("    </%1>\n").arg(QLatin1StringView(element));
    }
    return xml;
}

QString interfaceXml(const char* name, const std::vector<Method>& methods, const QString& annotations = {},
                     const std::vector<Method>& signalList = {})
{
    return QStringLiteral("  <interface name=\"%1\">\n").arg(QLatin1StringView(name)) + annotations
           + membersXml("method", methods) + membersXml("signal", signalList) + QStringLiteral("  </interface>\n");
}

QString node(const QString& interfaces)
{
    return QStringLiteral(
               "<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n<node>\n")
           + interfaces + QLatin1StringView(kStandardInterfaces) + QStringLiteral("</node>\n");
}

QString typeText(const automation::TypeRef& type)
{
    if (!type.interfaceName.empty()) return toQString(type.interfaceName);
    return QString::fromLatin1(automation::typeName(type.type));
}

const char* kindText(automation::MemberKind kind)
{
    switch (kind) {
    case automation::MemberKind::Method: return "method";
    case automation::MemberKind::PropertyGet: return "get";
    case automation::MemberKind::PropertyPut: return "put";
    case automation::MemberKind::PropertyPutRef: return "putref";
    }
    return "?";
}

// "Add method 0x60030002 (ByRef strTag As String, Optional ByRef varKey As Variant) As Tag"
QString memberText(const automation::MemberDescription& member)
{
    QStringList params;
    for (const automation::ParamDescription& param : member.params) {
        QString text;
        if (param.optional) text += QStringLiteral("Optional ");
        text += param.byRef ? QStringLiteral("ByRef ") : QStringLiteral("ByVal ");
        const QString name = toQString(param.name.empty() ? param.valueName : param.name);
        text += (name.isEmpty() ? QStringLiteral("value") : name) + QStringLiteral(" As ") + typeText(param.type);
        params.push_back(text);
    }
    QString text = QStringLiteral("%1 %2 0x%3 (%4)")
                       .arg(toQString(member.name), QLatin1StringView(kindText(member.kind)))
                       .arg(quint32(member.id), 8, 16, QLatin1Char('0'))
                       .arg(params.join(QStringLiteral(", ")));
    if (member.result.type != automation::VarType::Empty) text += QStringLiteral(" As ") + typeText(member.result);
    if (member.defaultMember) text += QStringLiteral(" [default]");
    if (member.hidden) text += QStringLiteral(" [hidden]");
    return text;
}

QString typeLibraryAnnotations(const automation::InterfaceDescription& interface)
{
    QString xml = QStringLiteral("    <annotation name=\"org.corvane.Automation1.Interface\" value=\"%1 {%2}\"/>\n")
                      .arg(escaped(toQString(interface.name)), escaped(toQString(interface.iid.text)));
    int position = 0;
    for (const automation::MemberDescription& member : interface.members) {
        xml += QStringLiteral("    <annotation name=\"org.corvane.Automation1.Member%1\" value=\"%2\"/>\n")
                   .arg(++position, 2, 10, QLatin1Char('0'))
                   .arg(escaped(memberText(member)));
    }
    return xml;
}

}  // namespace

QString rootNode()
{
    static const QString xml = node(interfaceXml(contract::kClassFactoryInterface, kClassFactory)
                                    + interfaceXml(contract::kDirectConnectionInterface, kDirectConnection));
    return xml;
}

QString dispatchObjectNode(const automation::InterfaceDescription& interface)
{
    // One document per interface of the library, made on first use.
    static QHash<const automation::InterfaceDescription*, QString> made;
    auto found = made.find(&interface);
    if (found == made.end()) {
        found = made.insert(&interface,
                            node(interfaceXml(contract::kObjectInterface, kObject)
                                 + interfaceXml(contract::kDispatchInterface, kDispatch,
                                                typeLibraryAnnotations(interface))));
    }
    return *found;
}

QString operatorNode()
{
    static const QString xml = node(interfaceXml(contract::kOperatorInterface, kOperator, {}, kOperatorSignals));
    return xml;
}

QString enumeratorNode()
{
    static const QString xml =
        node(interfaceXml(contract::kObjectInterface, kObject) + interfaceXml(contract::kEnumVariantInterface, kEnumVariant));
    return xml;
}

}  // namespace corvane::remoting::introspection
