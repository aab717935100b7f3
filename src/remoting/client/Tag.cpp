#include "corvanesim/Tag.h"

#include "ErrorReplies.h"
#include "ResultValues.h"

#include "typelib/TypeLibrary.h"

#include "automation/SafeArray.h"

namespace corvane::client {

using automation::Variant;
using automation::VarType;

namespace {

using K = automation::MemberKind;
constexpr const automation::InterfaceDescription& kInterface = typelib::kTagInterface;

constexpr Member kTagDefinition = memberOf(kInterface, u"TagDefinition", K::PropertyGet);
constexpr Member kUnpackResults = memberOf(kInterface, u"UnpackResults", K::Method);
constexpr Member kDefine = memberOf(kInterface, u"Define", K::Method);
constexpr Member kTagName = memberOf(kInterface, u"TagName", K::PropertyGet);
constexpr Member kUnitsGet = memberOf(kInterface, u"Units", K::PropertyGet);
constexpr Member kUnitsPut = memberOf(kInterface, u"Units", K::PropertyPut);
constexpr Member kOffsetGet = memberOf(kInterface, u"Offset", K::PropertyGet);
constexpr Member kOffsetPut = memberOf(kInterface, u"Offset", K::PropertyPut);
constexpr Member kReductionTypeGet = memberOf(kInterface, u"ReductionType", K::PropertyGet);
constexpr Member kReductionTypePut = memberOf(kInterface, u"ReductionType", K::PropertyPut);
constexpr Member kPVGet = memberOf(kInterface, u"PV", K::PropertyGet);
constexpr Member kPVPut = memberOf(kInterface, u"PV", K::PropertyPut);
constexpr Member kConfidenceGet = memberOf(kInterface, u"Confidence", K::PropertyGet);
constexpr Member kConfidencePut = memberOf(kInterface, u"Confidence", K::PropertyPut);
constexpr Member kPut0 = memberOf(kInterface, u"Put0", K::Method);

Variant text(std::u16string_view value) { return Variant(std::u16string(value)); }

template <class Element>
std::vector<Element> elementsOf(const Variant& array, VarType type)
{
    if (array.vt() != (automation::kArrayFlag | automation::code(type)))
        throw errors::unreadableReply(QStringLiteral("UnpackResults gave type 0x%1 for an array of type %2")
                                          .arg(array.vt(), 0, 16)
                                          .arg(automation::code(type)));
    return array.array()->elements<Element>();
}

}  // namespace

TagDefinition Tag::tagDefinition() const { return TagDefinition(result::asObject(object_.invoke(kTagDefinition))); }

void Tag::unpackResults(Variant& values, Variant& timestamps, Variant& confidences) const
{
    object_.invoke(kUnpackResults, {Variant::referenceToVariant(values), Variant::referenceToVariant(timestamps),
                                    Variant::referenceToVariant(confidences)});
}

History Tag::unpackResults() const
{
    Variant values, timestamps, confidences;
    unpackResults(values, timestamps, confidences);
    return {elementsOf<float>(values, VarType::R4), elementsOf<double>(timestamps, VarType::Date),
            elementsOf<std::int16_t>(confidences, VarType::I2)};
}

void Tag::define(std::u16string_view name) const { object_.invoke(kDefine, {text(name)}); }
std::u16string Tag::tagName() const { return result::asString(object_.invoke(kTagName)); }

std::u16string Tag::units() const { return result::asString(object_.invoke(kUnitsGet)); }
void Tag::setUnits(std::u16string_view units) const { object_.invoke(kUnitsPut, {text(units)}); }
std::u16string Tag::offset() const { return result::asString(object_.invoke(kOffsetGet)); }
void Tag::setOffset(std::u16string_view offset) const { object_.invoke(kOffsetPut, {text(offset)}); }
std::u16string Tag::reductionType() const { return result::asString(object_.invoke(kReductionTypeGet)); }
void Tag::setReductionType(std::u16string_view type) const { object_.invoke(kReductionTypePut, {text(type)}); }

float Tag::pv() const { return result::asSingle(object_.invoke(kPVGet)); }
void Tag::setPV(float value) const { object_.invoke(kPVPut, {Variant(value)}); }
std::int32_t Tag::confidence() const { return result::asLong(object_.invoke(kConfidenceGet)); }
void Tag::setConfidence(std::int32_t confidence) const { object_.invoke(kConfidencePut, {Variant(confidence)}); }

void Tag::put0(const Variant& value, const Variant& time, const Variant& confidence) const
{
    // Trailing arguments left out are not sent, as a client leaving them out would.
    std::vector<Variant> args{value, time, confidence};
    while (args.size() > 1 && args.back().isMissing()) args.pop_back();
    object_.invoke(kPut0, args);
}

}  // namespace corvane::client
