#pragma once

#include "Object.h"
#include "Variant.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace corvane::automation {

// The standard enumerator of a collection (Next, Skip, Reset, Clone). It walks
// a snapshot taken when it was made, so a collection changed during a loop
// neither invalidates it nor repeats items.
class Enumerator : public Object {
public:
    explicit Enumerator(std::vector<Variant> items);

    // Up to `count` further items; fewer at the end.
    std::vector<Variant> Next(std::uint32_t count);
    // Passes over `count` items; false when fewer were left.
    bool Skip(std::uint32_t count);
    void Reset() { position_ = 0; }
    // A second enumerator over the same items, at the same position.
    Ref<Enumerator> Clone() const;

private:
    Enumerator(std::shared_ptr<const std::vector<Variant>> items, std::size_t position);

    std::shared_ptr<const std::vector<Variant>> items_;
    std::size_t position_ = 0;
};

}  // namespace corvane::automation
