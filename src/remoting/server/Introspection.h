#pragma once

#include <QString>

namespace corvane::automation {
struct InterfaceDescription;
}

namespace corvane::remoting::introspection {

// The introspection documents of the kinds of node. The D-Bus methods
// are the same for every dispatch object; annotations carry the Automation
// interface behind it, member by member, from the type library's table.
QString rootNode();
QString dispatchObjectNode(const automation::InterfaceDescription& interface);
QString enumeratorNode();
// The operator's controls, which carry no Automation interface.
QString operatorNode();

}  // namespace corvane::remoting::introspection
