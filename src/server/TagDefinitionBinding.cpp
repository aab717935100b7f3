// The members of _TagDefinition, bound to the TagDefinition object.
#include "server/BindingSupport.h"
#include "typelib/TypeLibrary.h"
#include "tags/TagDefinition.h"

namespace corvane {
namespace {

using namespace binding;
using K = MemberKind;

TagDefinition& definition(DispatchObject& o) { return self<TagDefinition>(o); }

constexpr NamedHandler kHandlers[] = {
    {u"Units", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(definition(o).Units()); }},
    {u"Units", K::PropertyPut, [](DispatchObject& o, Params p) { definition(o).setUnits(p[0]->string()); return Variant(); }},
    {u"HighExtreme", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(definition(o).HighExtreme()); }},
    {u"LowExtreme", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(definition(o).LowExtreme()); }},
    {u"Description", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(definition(o).Description()); }},
    {u"GetTagDefinition", K::Method,
     [](DispatchObject& o, Params p) { return definition(o).GetTagDefinition(p[0]->string()); }},
};

}  // namespace

const automation::InterfaceBinding& TagDefinition::dispatchBinding() const
{
    static const BoundInterface bound(typelib::kTagDefinitionInterface, kHandlers);
    return bound.binding();
}

}  // namespace corvane
