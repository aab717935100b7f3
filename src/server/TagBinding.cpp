// The members of _Tag, bound to the Tag object.
#include "server/BindingSupport.h"
#include "typelib/TypeLibrary.h"
#include "tags/Tag.h"
#include "tags/TagDefinition.h"

namespace corvane {
namespace {

using namespace binding;
using K = MemberKind;

Tag& tag(DispatchObject& o) { return self<Tag>(o); }

constexpr NamedHandler kHandlers[] = {
    {u"TagDefinition", K::PropertyGet, [](DispatchObject& o, Params) { return Variant::dispatch(tag(o).TagDefinition()); }},
    {u"UnpackResults", K::Method,
     [](DispatchObject& o, Params p) { tag(o).UnpackResults(*p[0], *p[1], *p[2]); return Variant(); }},
    {u"Define", K::Method, [](DispatchObject& o, Params p) { tag(o).Define(p[0]->string()); return Variant(); }},
    {u"TagName", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(tag(o).TagName()); }},
    {u"Units", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(tag(o).Units()); }},
    {u"Units", K::PropertyPut, [](DispatchObject& o, Params p) { tag(o).setUnits(p[0]->string()); return Variant(); }},
    {u"Offset", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(tag(o).Offset()); }},
    {u"Offset", K::PropertyPut, [](DispatchObject& o, Params p) { tag(o).setOffset(p[0]->string()); return Variant(); }},
    {u"ReductionType", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(tag(o).ReductionType()); }},
    {u"ReductionType", K::PropertyPut,
     [](DispatchObject& o, Params p) { tag(o).setReductionType(p[0]->string()); return Variant(); }},
    {u"PV", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(tag(o).PV()); }},
    {u"PV", K::PropertyPut, [](DispatchObject& o, Params p) { tag(o).setPV(p[0]->r4()); return Variant(); }},
    {u"Confidence", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(tag(o).Confidence()); }},
    {u"Confidence", K::PropertyPut, [](DispatchObject& o, Params p) { tag(o).setConfidence(p[0]->i4()); return Variant(); }},
    {u"Put0", K::Method, [](DispatchObject& o, Params p) { tag(o).Put0(*p[0], *p[1], *p[2]); return Variant(); }},
};

}  // namespace

const automation::InterfaceBinding& Tag::dispatchBinding() const
{
    static const BoundInterface bound(typelib::kTagInterface, kHandlers);
    return bound.binding();
}

}  // namespace corvane
