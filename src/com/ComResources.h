#pragma once

#include "WindowsHeaders.h"

#include <string>
#include <string_view>
#include <utility>

// Owners of the COM and registry resources the adapter handles, so that no
// path through it can leak or double-free one.
namespace corvane::com {

// A counted interface pointer.
template <class T>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller already holds.
    static ComRef adopt(T* pointer)
    {
        ComRef ref;
        ref.pointer_ = pointer;
        return ref;
    }
    ComRef(const ComRef& other) : pointer_(other.pointer_) { if (pointer_) pointer_->AddRef(); }
    ComRef(ComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComRef& operator=(ComRef other) noexcept
    {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComRef() { reset(); }

    void reset()
    {
        if (T* old = std::exchange(pointer_, nullptr)) old->Release();
    }
    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For functions that hand out a new reference through T**.
    T** put()
    {
        reset();
        return &pointer_;
    }
    T* detach() { return std::exchange(pointer_, nullptr); }

private:
    T* pointer_ = nullptr;
};

// A BSTR this code allocated.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::u16string_view text)
        : text_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size())))
    {
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(text_); }

    BSTR get() const { return text_; }
    BSTR detach() { return std::exchange(text_, nullptr); }

private:
    BSTR text_ = nullptr;
};

// A VARIANT this code owns; cleared on the way out.
class OwnedVariant {
public:
    OwnedVariant() { VariantInit(&value_); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    ~OwnedVariant() { VariantClear(&value_); }

    VARIANT* get() { return &value_; }
    const VARIANT& operator*() const { return value_; }
    // Hands the value over to a VARIANT the caller owns (uninitialised or cleared).
    void moveTo(VARIANT* target)
    {
        *target = value_;
        VariantInit(&value_);
    }

private:
    VARIANT value_;
};

// A SAFEARRAY under construction; destroyed unless handed over.
class OwnedSafeArray {
public:
    explicit OwnedSafeArray(SAFEARRAY* array) : array_(array) {}
    OwnedSafeArray(const OwnedSafeArray&) = delete;
    OwnedSafeArray& operator=(const OwnedSafeArray&) = delete;
    ~OwnedSafeArray()
    {
        if (array_) SafeArrayDestroy(array_);
    }
    SAFEARRAY* get() const { return array_; }
    SAFEARRAY* detach() { return std::exchange(array_, nullptr); }

private:
    SAFEARRAY* array_;
};

// An open registry key.
class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : key_(key) {}
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept
    {
        std::swap(key_, other.key_);
        return *this;
    }
    ~RegistryKey()
    {
        if (key_) RegCloseKey(key_);
    }
    HKEY get() const { return key_; }
    HKEY* put() { return &key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace corvane::com
