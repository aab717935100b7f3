#include "corvanesim/TagDefinition.h"

#include "ResultValues.h"

#include "typelib/TypeLibrary.h"

namespace corvane::client {

using automation::Variant;

namespace {

using K = automation::MemberKind;
constexpr const automation::InterfaceDescription& kInterface = typelib::kTagDefinitionInterface;

constexpr Member kUnitsGet = memberOf(kInterface, u"Units", K::PropertyGet);
constexpr Member kUnitsPut = memberOf(kInterface, u"Units", K::PropertyPut);
constexpr Member kHighExtreme = memberOf(kInterface, u"HighExtreme", K::PropertyGet);
constexpr Member kLowExtreme = memberOf(kInterface, u"LowExtreme", K::PropertyGet);
constexpr Member kDescription = memberOf(kInterface, u"Description", K::PropertyGet);
constexpr Member kGetTagDefinition = memberOf(kInterface, u"GetTagDefinition", K::Method);

}  // namespace

std::u16string TagDefinition::units() const { return result::asString(object_.invoke(kUnitsGet)); }
void TagDefinition::setUnits(std::u16string_view units) const
{
    object_.invoke(kUnitsPut, {Variant(std::u16string(units))});
}
float TagDefinition::highExtreme() const { return result::asSingle(object_.invoke(kHighExtreme)); }
float TagDefinition::lowExtreme() const { return result::asSingle(object_.invoke(kLowExtreme)); }
std::u16string TagDefinition::description() const { return result::asString(object_.invoke(kDescription)); }

Variant TagDefinition::getTagDefinition(std::u16string_view name) const
{
    return object_.invoke(kGetTagDefinition, {Variant(std::u16string(name))});
}

}  // namespace corvane::client
