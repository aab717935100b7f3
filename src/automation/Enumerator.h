#pragma once

#include "Object.h"
#include "Variant.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace corvane::automation {

// The standard enumerator of a collection (Next, Skip, Reset, Clone). It walks
// the collection as it is at each step, keeping its place by the serial of
// the item it gave last: items removed during a walk are not met, items added
// are, and an item removed just after it was given takes nothing else with it.
class Enumerator : public Object {
public:
    // Up to `count` items after the one of serial `after` (0: from the first),
    // in order, with `after` moved to the last of them. It holds what it walks.
    using Walk = std::function<std::vector<Variant>(std::uint64_t& after, std::uint32_t count)>;

    Enumerator(Walk walk, std::uint64_t after);
    // Over a fixed list of items.
    explicit Enumerator(std::vector<Variant> items);

    // Up to `count` further items; fewer at the end.
    std::vector<Variant> Next(std::uint32_t count) { return walk_(after_, count); }
    // Passes over `count` items; false when fewer were left.
    bool Skip(std::uint32_t count) { return walk_(after_, count).size() == count; }
    void Reset() { after_ = 0; }
    // A second enumerator over the same collection, at the same place.
    Ref<Enumerator> Clone() const { return makeRef<Enumerator>(walk_, after_); }

private:
    Walk walk_;
    std::uint64_t after_ = 0;
};

}  // namespace corvane::automation
