#include "ObjectTable.h"

#include "ComResources.h"
#include "DispatchAdapter.h"
#include "EnumVariantAdapter.h"

#include "automation/Enumerator.h"

#include <stdexcept>

namespace corvane::com {

using automation::Object;
using automation::Ref;

ComFace& ObjectTable::faceOf(const Ref<Object>& object)
{
    if (const auto known = byObject_.find(object.get()); known != byObject_.end()) return *known->second;
    ComFace* face = nullptr;
    if (automation::DispatchObject* target = object->asDispatch()) {
        face = new DispatchAdapter(*this, Ref<automation::DispatchObject>(target));
    } else if (Ref<automation::Enumerator> enumerator = automation::refCast<automation::Enumerator>(object)) {
        face = new EnumVariantAdapter(*this, std::move(enumerator));
    } else {
        throw std::logic_error("an object of the model without a COM face");
    }
    byObject_.emplace(object.get(), face);
    return *face;
}

IDispatch* ObjectTable::dispatchOf(const Ref<Object>& object)
{
    if (!object || !object->asDispatch()) return nullptr;
    return faceOf(object).dispatch();
}

IUnknown* ObjectTable::unknownOf(const Ref<Object>& object)
{
    if (!object) return nullptr;
    return faceOf(object).identity();
}

std::optional<Ref<Object>> ObjectTable::objectOf(IUnknown* pointer)
{
    if (pointer == nullptr) return Ref<Object>();
    // Our own objects come back from a client as the very pointers handed
    // out (COM unmarshals a pointer of this apartment to itself); anything
    // else is asked for its identity, which a proxy of our own object shares.
    auto owner = [this](IUnknown* candidate) -> const ComFace* {
        for (const auto& [object, face] : byObject_)
            if (face->owns(candidate)) return face;
        return nullptr;
    };
    if (const ComFace* face = owner(pointer)) return face->object();
    ComRef<IUnknown> identity;
    if (FAILED(pointer->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.put())))) return std::nullopt;
    if (const ComFace* face = owner(identity.get())) return face->object();
    return std::nullopt;
}

void ObjectTable::faceReleased(Ref<Object> object)
{
    byObject_.erase(object.get());
    releases_.add(std::move(object));
}

}  // namespace corvane::com
