#pragma once

#include "Object.h"
#include "VarType.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace corvane::automation {

class SafeArray;

// An Automation value: a type code and the value it tags. Arrays are shared
// and immutable once wrapped (copying a Variant never copies a large array);
// a by-reference Variant points at a caller-owned Variant that holds the
// referenced value, typed exactly as the reference says (or anything, for a
// reference to a Variant).
class Variant {
public:
    Variant() = default;  // Empty
    Variant(std::int16_t value) : vt_(code(VarType::I2)), value_(value) {}
    Variant(std::int32_t value) : vt_(code(VarType::I4)), value_(value) {}
    Variant(float value) : vt_(code(VarType::R4)), value_(value) {}
    Variant(double value) : vt_(code(VarType::R8)), value_(value) {}
    Variant(std::uint8_t value) : vt_(code(VarType::UI1)), value_(value) {}
    Variant(std::u16string value) : vt_(code(VarType::String)), value_(std::move(value)) {}
    Variant(const char16_t* value) : Variant(std::u16string(value)) {}

    static Variant null();
    static Variant boolean(bool value);
    static Variant date(double automationDate);
    static Variant currency(std::int64_t scaledByTenThousand);
    static Variant error(std::int32_t scode);
    static Variant dispatch(Ref<Object> object);  // Nothing when empty
    static Variant unknown(Ref<Object> object);
    static Variant array(std::shared_ptr<const SafeArray> array);
    // A reference to `target`, typed as target's type plus the by-reference flag.
    // `target` must not be a reference itself and must outlive the reference.
    static Variant reference(Variant& target);
    // A reference to a Variant (type 0x400C): the target may hold any value,
    // a reference included, as long as no chain of references leads back.
    static Variant referenceToVariant(Variant& target);

    // The missing-argument marker: an error Variant holding 0x80020004.
    static const Variant& missing();

    std::uint16_t vt() const { return vt_; }
    VarType type() const { return static_cast<VarType>(vt_ & kTypeMask); }
    bool isArray() const { return (vt_ & kArrayFlag) != 0; }
    bool isByRef() const { return (vt_ & kByRefFlag) != 0; }
    bool isEmpty() const { return vt_ == code(VarType::Empty); }
    bool isNull() const { return vt_ == code(VarType::Null); }
    bool isString() const { return vt_ == code(VarType::String); }
    bool isObject() const { return vt_ == code(VarType::Dispatch) || vt_ == code(VarType::Unknown); }
    bool isMissing() const;

    // Raw access; each requires the matching type code (no conversion here,
    // see Convert.h for conversions).
    std::int16_t i2() const { return std::get<std::int16_t>(value_); }
    std::int32_t i4() const { return std::get<std::int32_t>(value_); }
    float r4() const { return std::get<float>(value_); }
    double r8() const { return std::get<double>(value_); }
    double date() const { return std::get<double>(value_); }
    std::int64_t currency() const { return std::get<std::int64_t>(value_); }
    bool boolean() const { return std::get<bool>(value_); }
    std::int32_t error() const { return std::get<std::int32_t>(value_); }
    std::uint8_t ui1() const { return std::get<std::uint8_t>(value_); }
    const std::u16string& string() const { return std::get<std::u16string>(value_); }
    const Ref<Object>& object() const { return std::get<Ref<Object>>(value_); }
    const std::shared_ptr<const SafeArray>& array() const { return std::get<std::shared_ptr<const SafeArray>>(value_); }
    Variant& target() const { return *std::get<Variant*>(value_); }

    // The value itself, or the value a by-reference Variant leads to (read
    // through a reference to a Variant whose target is a reference in turn).
    const Variant& dereferenced() const
    {
        const Variant* value = this;
        while (value->isByRef()) value = &value->target();
        return *value;
    }

    // Same type code and the same value (arrays: same elements; objects: same object).
    friend bool operator==(const Variant& a, const Variant& b);

private:
    using Storage = std::variant<std::monostate, std::int16_t, std::int32_t, float, double, std::int64_t, bool,
                                 std::uint8_t, std::u16string, Ref<Object>, std::shared_ptr<const SafeArray>, Variant*>;

    Variant(std::uint16_t vt, Storage value) : vt_(vt), value_(std::move(value)) {}

    std::uint16_t vt_ = 0;
    Storage value_;
};

}  // namespace corvane::automation
