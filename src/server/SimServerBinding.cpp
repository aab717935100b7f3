// The members of _SimServer, bound to the SimServer object.
#include "server/BindingSupport.h"
#include "server/SimServer.h"
#include "typelib/TypeLibrary.h"
#include "session/Data.h"

namespace corvane {
namespace {

using namespace binding;
using K = MemberKind;

SimServer& server(DispatchObject& o) { return self<SimServer>(o); }

constexpr NamedHandler kHandlers[] = {
    {u"Data", K::PropertyGet, [](DispatchObject& o, Params) { return Variant::dispatch(server(o).Data()); }},
    // The dispatcher has checked that the object (if any) is a Data session.
    {u"Data", K::PropertyPut,
     [](DispatchObject& o, Params p) { server(o).setData(automation::refCast<Data>(p[0]->object())); return Variant(); }},
};

}  // namespace

const automation::InterfaceBinding& SimServer::dispatchBinding() const
{
    static const BoundInterface bound(typelib::kSimServerInterface, kHandlers);
    return bound.binding();
}

}  // namespace corvane
