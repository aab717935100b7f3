#include "SafeArray.h"

#include <stdexcept>

namespace corvane::automation {
namespace {

SafeArray::Storage emptyStorageFor(VarType type, std::size_t count)
{
    switch (type) {
    case VarType::I2: case VarType::Bool: return std::vector<std::int16_t>(count);
    case VarType::I4: case VarType::Error: return std::vector<std::int32_t>(count);
    case VarType::R4: return std::vector<float>(count);
    case VarType::R8: case VarType::Date: return std::vector<double>(count);
    case VarType::Currency: return std::vector<std::int64_t>(count);
    case VarType::String: return std::vector<std::u16string>(count);
    case VarType::UI1: return std::vector<std::uint8_t>(count);
    case VarType::Variant: return std::vector<Variant>(count);
    case VarType::Dispatch: case VarType::Unknown: return std::vector<Ref<Object>>(count);
    case VarType::Empty: case VarType::Null: break;
    }
    throw std::invalid_argument("not an array element type");
}

}  // namespace

SafeArray::SafeArray(VarType elementType, std::int32_t lowerBound, std::size_t count)
    : elementType_(elementType), lowerBound_(lowerBound), elements_(emptyStorageFor(elementType, count))
{
}

void SafeArray::checkStorageMatchesType() const
{
    if (emptyStorageFor(elementType_, 0).index() != elements_.index())
        throw std::invalid_argument("array elements do not match the element type");
}

std::size_t SafeArray::size() const
{
    return std::visit([](const auto& elements) { return elements.size(); }, elements_);
}

Variant SafeArray::at(std::size_t index) const
{
    switch (elementType_) {
    case VarType::I2: return Variant(elements<std::int16_t>().at(index));
    case VarType::Bool: return Variant::boolean(elements<std::int16_t>().at(index) != 0);
    case VarType::I4: return Variant(elements<std::int32_t>().at(index));
    case VarType::Error: return Variant::error(elements<std::int32_t>().at(index));
    case VarType::R4: return Variant(elements<float>().at(index));
    case VarType::R8: return Variant(elements<double>().at(index));
    case VarType::Date: return Variant::date(elements<double>().at(index));
    case VarType::Currency: return Variant::currency(elements<std::int64_t>().at(index));
    case VarType::String: return Variant(elements<std::u16string>().at(index));
    case VarType::UI1: return Variant(elements<std::uint8_t>().at(index));
    case VarType::Variant: return elements<Variant>().at(index);
    case VarType::Dispatch: return Variant::dispatch(elements<Ref<Object>>().at(index));
    case VarType::Unknown: return Variant::unknown(elements<Ref<Object>>().at(index));
    case VarType::Empty: case VarType::Null: break;
    }
    return {};
}

bool operator==(const SafeArray& a, const SafeArray& b)
{
    return a.elementType_ == b.elementType_ && a.lowerBound_ == b.lowerBound_ && a.elements_ == b.elements_;
}

}  // namespace corvane::automation
