#include "CountedFaces.h"

#include "FuzzInput.h"

namespace corvane::fuzz {

using automation::Object;
using automation::Ref;

// An IDispatch that only counts: the conversion never calls through it.
class CountedFaces::Face final : public IDispatch {
public:
    Face(CountedFaces* owner, Ref<Object> object) : owner_(owner), object_(std::move(object)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (!(iid == IID_IUnknown || iid == IID_IDispatch)) return E_NOINTERFACE;
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        if (refs_ == 0) fail("an interface was released more often than it was referenced");
        const ULONG left = --refs_;
        if (left == 0) {
            if (owner_) owner_->faces_.erase(object_.get());
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    const Ref<Object>& object() const { return object_; }

private:
    ~Face() = default;

    CountedFaces* owner_;  // null for a foreign object
    Ref<Object> object_;
    ULONG refs_ = 1;
};

CountedFaces::~CountedFaces()
{
    if (!faces_.empty()) fail("a reference to an object's face was never released");
}

IDispatch* CountedFaces::faceOf(const Ref<Object>& object)
{
    if (const auto known = faces_.find(object.get()); known != faces_.end()) {
        known->second->AddRef();
        return known->second;
    }
    Face* face = new Face(this, object);
    faces_.emplace(object.get(), face);
    return face;
}

IDispatch* CountedFaces::dispatchOf(const Ref<Object>& object)
{
    if (!object || !object->asDispatch()) return nullptr;
    return faceOf(object);
}

IUnknown* CountedFaces::unknownOf(const Ref<Object>& object)
{
    if (!object) return nullptr;
    return faceOf(object);
}

std::optional<Ref<Object>> CountedFaces::objectOf(IUnknown* pointer)
{
    if (pointer == nullptr) return Ref<Object>();
    for (const auto& [object, face] : faces_)
        if (static_cast<IUnknown*>(face) == pointer) return face->object();
    return std::nullopt;
}

IDispatch* CountedFaces::foreign() { return new Face(nullptr, Ref<Object>()); }

}  // namespace corvane::fuzz
