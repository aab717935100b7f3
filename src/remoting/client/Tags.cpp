#include "corvanesim/Tags.h"

#include "ResultValues.h"

#include "typelib/TypeLibrary.h"

namespace corvane::client {

using automation::Variant;

namespace {

using K = automation::MemberKind;
constexpr const automation::InterfaceDescription& kInterface = typelib::kTagsInterface;

constexpr Member kCount = memberOf(kInterface, u"Count", K::PropertyGet);
constexpr Member kAdd = memberOf(kInterface, u"Add", K::Method);
constexpr Member kDelete = memberOf(kInterface, u"Delete", K::Method);
constexpr Member kRemove = memberOf(kInterface, u"Remove", K::Method);
constexpr Member kItem = memberOf(kInterface, u"Item", K::Method);
constexpr Member kNewEnum = memberOf(kInterface, u"NewEnum", K::Method);
constexpr Member kRemoveAll = memberOf(kInterface, u"RemoveAll", K::Method);

}  // namespace

std::int32_t Tags::count() const { return result::asLong(object_.invoke(kCount)); }

Tag Tags::add(std::u16string_view name) const
{
    return Tag(result::asObject(object_.invoke(kAdd, {Variant(std::u16string(name))})));
}

Tag Tags::add(std::u16string_view name, const Variant& key) const
{
    return Tag(result::asObject(object_.invoke(kAdd, {Variant(std::u16string(name)), key})));
}

void Tags::deleteItem(const Variant& index) const { object_.invoke(kDelete, {index}); }
void Tags::remove(const Variant& name) const { object_.invoke(kRemove, {name}); }
Tag Tags::item(const Variant& index) const { return Tag(result::asObject(object_.invoke(kItem, {index}))); }

ObjectRef Tags::newEnum() const { return result::asEnumerator(object_.invoke(kNewEnum)); }

void Tags::removeAll() const { object_.invoke(kRemoveAll); }

}  // namespace corvane::client
