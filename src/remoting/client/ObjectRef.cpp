#include "corvanesim/ObjectRef.h"

#include "corvanesim/Enumeration.h"
#include "corvanesim/RemoteError.h"
#include "corvanesim/Text.h"

#include "RemoteCalls.h"
#include "RemoteObject.h"

#include "automation/HResult.h"

namespace corvane::client {

using automation::Ref;
using automation::Variant;

ObjectRef::ObjectRef() noexcept = default;
ObjectRef::ObjectRef(Ref<RemoteObject> object) noexcept : object_(std::move(object)) {}
ObjectRef::ObjectRef(const ObjectRef& other) : object_(other.object_ ? other.object_->calls().addRef(*other.object_) : nullptr) {}
ObjectRef::ObjectRef(ObjectRef&& other) noexcept = default;
ObjectRef::~ObjectRef() = default;

ObjectRef& ObjectRef::operator=(const ObjectRef& other)
{
    if (this != &other) *this = ObjectRef(other);
    return *this;
}

ObjectRef& ObjectRef::operator=(ObjectRef&& other) noexcept
{
    object_ = std::move(other.object_);
    return *this;
}

ObjectRef ObjectRef::from(const Variant& value)
{
    const Variant& held = value.dereferenced();
    if (!held.isObject() || held.isArray())
        throw RemoteError(automation::hresult::kTypeMismatch, u"Type mismatch: the value is no object.");
    if (!held.object()) return {};
    auto* remote = dynamic_cast<RemoteObject*>(held.object().get());
    if (!remote) throw RemoteError(automation::hresult::kTypeMismatch, u"Type mismatch: the object is not the server's.");
    return ObjectRef(Ref<RemoteObject>(remote));
}

Variant ObjectRef::toVariant() const { return Variant::dispatch(object_); }

ObjectRef::operator bool() const noexcept { return bool(object_); }

std::string ObjectRef::path() const { return object_ ? object_->path().toStdString() : std::string("/"); }

void ObjectRef::reset() noexcept { object_.reset(); }

RemoteObject& ObjectRef::checked() const
{
    // Calling Nothing, as a client would hear it.
    if (!object_) throw RemoteError(automation::hresult::fromErrorNumber(91), u"Object variable or With block variable not set");
    return *object_;
}

Variant ObjectRef::get(std::string_view name, const std::vector<Variant>& args) const
{
    RemoteObject& target = checked();
    return target.calls().invoke(target, target.calls().idOfName(target, fromUtf8(name)),
                                 automation::kInvokePropertyGet, args);
}

void ObjectRef::put(std::string_view name, const Variant& value) const
{
    RemoteObject& target = checked();
    target.calls().invoke(target, target.calls().idOfName(target, fromUtf8(name)), automation::kInvokePropertyPut,
                          {value});
}

Variant ObjectRef::call(std::string_view name, const std::vector<Variant>& args) const
{
    RemoteObject& target = checked();
    return target.calls().invoke(target, target.calls().idOfName(target, fromUtf8(name)), automation::kInvokeMethod,
                                 args);
}

Variant ObjectRef::invoke(automation::DispId id, std::uint16_t flags, const std::vector<Variant>& args) const
{
    RemoteObject& target = checked();
    return target.calls().invoke(target, id, flags, args);
}

Enumeration ObjectRef::enumerate() const
{
    return Enumeration(from(invoke(automation::kDispIdNewEnum, automation::kInvokeMethod)));
}

bool operator==(const ObjectRef& a, const ObjectRef& b) noexcept
{
    if (!a.object_ || !b.object_) return !a.object_ && !b.object_;
    return a.object_->sharedCalls() == b.object_->sharedCalls() && a.object_->server() == b.object_->server() &&
           a.object_->path() == b.object_->path();
}

}  // namespace corvane::client
