// The members of _Tags, bound to the Tags collection.
#include "server/BindingSupport.h"
#include "typelib/TypeLibrary.h"
#include "tags/Tags.h"

namespace corvane {
namespace {

using namespace binding;
using K = MemberKind;

Tags& tags(DispatchObject& o) { return self<Tags>(o); }

constexpr NamedHandler kHandlers[] = {
    {u"Count", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(tags(o).Count()); }},
    {u"Add", K::Method, [](DispatchObject& o, Params p) { return Variant::dispatch(tags(o).Add(p[0]->string(), *p[1])); }},
    {u"Delete", K::Method, [](DispatchObject& o, Params p) { tags(o).Delete(*p[0]); return Variant(); }},
    {u"Remove", K::Method, [](DispatchObject& o, Params p) { tags(o).Remove(*p[0]); return Variant(); }},
    {u"Item", K::Method, [](DispatchObject& o, Params p) { return Variant::dispatch(tags(o).Item(*p[0])); }},
    {u"NewEnum", K::Method, [](DispatchObject& o, Params) { return Variant::unknown(tags(o).NewEnum()); }},
    {u"RemoveAll", K::Method, [](DispatchObject& o, Params) { tags(o).RemoveAll(); return Variant(); }},
};

}  // namespace

const automation::InterfaceBinding& Tags::dispatchBinding() const
{
    static const BoundInterface bound(typelib::kTagsInterface, kHandlers);
    return bound.binding();
}

}  // namespace corvane
