#include "Enumerator.h"

#include <algorithm>

namespace corvane::automation {

Enumerator::Enumerator(std::vector<Variant> items)
    : items_(std::make_shared<const std::vector<Variant>>(std::move(items)))
{
}

Enumerator::Enumerator(std::shared_ptr<const std::vector<Variant>> items, std::size_t position)
    : items_(std::move(items)), position_(position)
{
}

std::vector<Variant> Enumerator::Next(std::uint32_t count)
{
    const std::size_t take = std::min<std::size_t>(count, items_->size() - position_);
    std::vector<Variant> out(items_->begin() + static_cast<std::ptrdiff_t>(position_),
                             items_->begin() + static_cast<std::ptrdiff_t>(position_ + take));
    position_ += take;
    return out;
}

bool Enumerator::Skip(std::uint32_t count)
{
    const std::size_t left = items_->size() - position_;
    position_ += std::min<std::size_t>(count, left);
    return count <= left;
}

Ref<Enumerator> Enumerator::Clone() const { return Ref<Enumerator>(new Enumerator(items_, position_)); }

}  // namespace corvane::automation
