#include "Enumerator.h"

#include <algorithm>
#include <memory>

namespace corvane::automation {

Enumerator::Enumerator(Walk walk, std::uint64_t after) : walk_(std::move(walk)), after_(after) {}

Enumerator::Enumerator(std::vector<Variant> items)
{
    // The serial of an item of a fixed list is its position from 1.
    walk_ = [list = std::make_shared<const std::vector<Variant>>(std::move(items))](std::uint64_t& after,
                                                                                    std::uint32_t count) {
        const std::size_t from = static_cast<std::size_t>(std::min<std::uint64_t>(after, list->size()));
        const std::size_t take = std::min<std::size_t>(count, list->size() - from);
        after = from + take;
        return std::vector<Variant>(list->begin() + static_cast<std::ptrdiff_t>(from),
                                    list->begin() + static_cast<std::ptrdiff_t>(from + take));
    };
}

}  // namespace corvane::automation
