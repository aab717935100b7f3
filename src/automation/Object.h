#pragma once

#include <cstdint>
#include <utility>

namespace corvane::automation {

class DispatchObject;

// Base of every object handed across the Automation boundary. Lifetime is a
// plain reference count, as clients expect: an object lives while anything
// holds it, and the last release runs its destructor (the class's own
// termination). Cycles are allowed and are the caller's business.
class Object {
public:
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    std::uint32_t addRef() noexcept { return ++references_; }
    std::uint32_t release() noexcept
    {
        const std::uint32_t left = --references_;
        if (left == 0) delete this;
        return left;
    }
    std::uint32_t referenceCount() const noexcept { return references_; }

    // The object's dispatch face, when it has one (dispatch objects answer
    // with themselves; plain enumerators answer null).
    virtual DispatchObject* asDispatch() noexcept { return nullptr; }

protected:
    Object() = default;
    virtual ~Object() = default;

private:
    std::uint32_t references_ = 0;
};

// A counted reference to an Object (or a class derived from it).
template <class T>
class Ref {
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    explicit Ref(T* object) noexcept : object_(object) { if (object_) object_->addRef(); }
    Ref(const Ref& other) noexcept : Ref(other.object_) {}
    Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U>
    Ref(const Ref<U>& other) noexcept : Ref(static_cast<T*>(other.get())) {}
    ~Ref() { reset(); }

    Ref& operator=(Ref other) noexcept
    {
        std::swap(object_, other.object_);
        return *this;
    }

    void reset() noexcept
    {
        if (T* old = std::exchange(object_, nullptr)) old->release();
    }

    T* get() const noexcept { return object_; }
    T* operator->() const noexcept { return object_; }
    T& operator*() const noexcept { return *object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

    friend bool operator==(const Ref& a, const Ref& b) noexcept { return a.object_ == b.object_; }

private:
    T* object_ = nullptr;
};

template <class T, class... Args>
Ref<T> makeRef(Args&&... args)
{
    return Ref<T>(new T(std::forward<Args>(args)...));
}

// Downcast of a counted reference; empty when the object is of another class.
template <class T, class U>
Ref<T> refCast(const Ref<U>& from) noexcept
{
    return Ref<T>(dynamic_cast<T*>(from.get()));
}

}  // namespace corvane::automation
