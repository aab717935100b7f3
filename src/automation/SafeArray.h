#pragma once

#include "Object.h"
#include "VarType.h"
#include "Variant.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace corvane::automation {

// A one-dimensional Automation array with a lower bound. Elements are kept in
// the natural C++ type of their Automation type, so a large array of singles
// is one contiguous vector of float:
//   I2, Bool (as -1/0) -> int16_t   I4, Error -> int32_t   R4 -> float
//   R8, Date -> double   Currency -> int64_t   String -> u16string
//   UI1 -> uint8_t   Variant -> Variant   Dispatch, Unknown -> Ref<Object>
class SafeArray {
public:
    using Storage = std::variant<std::vector<std::int16_t>, std::vector<std::int32_t>, std::vector<float>,
                                 std::vector<double>, std::vector<std::int64_t>, std::vector<std::u16string>,
                                 std::vector<std::uint8_t>, std::vector<Variant>, std::vector<Ref<Object>>>;

    // `count` default elements (zero, empty text, Empty, Nothing).
    SafeArray(VarType elementType, std::int32_t lowerBound, std::size_t count);
    // Takes the given elements; their C++ type must match the element type.
    template <class T>
    SafeArray(VarType elementType, std::int32_t lowerBound, std::vector<T> elements)
        : elementType_(elementType), lowerBound_(lowerBound), elements_(std::move(elements))
    {
        checkStorageMatchesType();
    }

    VarType elementType() const { return elementType_; }
    std::int32_t lowerBound() const { return lowerBound_; }
    std::size_t size() const;
    // lowerBound + size - 1, as a 64-bit value so that it cannot overflow.
    std::int64_t upperBound() const { return std::int64_t{lowerBound_} + std::int64_t(size()) - 1; }

    template <class T>
    const std::vector<T>& elements() const { return std::get<std::vector<T>>(elements_); }
    template <class T>
    std::vector<T>& elements() { return std::get<std::vector<T>>(elements_); }
    const Storage& storage() const { return elements_; }

    // Element `index` (counted from 0, not from the lower bound) as a Variant.
    Variant at(std::size_t index) const;

    friend bool operator==(const SafeArray& a, const SafeArray& b);

private:
    void checkStorageMatchesType() const;

    VarType elementType_;
    std::int32_t lowerBound_;
    Storage elements_;
};

}  // namespace corvane::automation
