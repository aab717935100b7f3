#pragma once

#include "AutomationError.h"
#include "CaseFold.h"
#include "CollectionIndex.h"
#include "Object.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane::automation {

// The ordered keyed collection: items in order of addition, positions from 1
// that close up on removal, a unique text key per item compared without regard
// to letter case (looked up by hash), counted references to the items.
// Errors change nothing: 457 for a key already present, 5 for an absent key,
// 9 for a position outside 1 to the count.
// Each item also gets a serial at its addition, larger than every serial
// before it, so an enumerator can keep its place by the serial of the item it
// gave last, whatever is removed or added while it walks.
template <class T>
class KeyedCollection {
public:
    KeyedCollection() = default;
    KeyedCollection(KeyedCollection&&) noexcept = default;
    KeyedCollection& operator=(KeyedCollection&&) noexcept = default;
    // A copy would point into the other collection's nodes.
    KeyedCollection(const KeyedCollection&) = delete;
    KeyedCollection& operator=(const KeyedCollection&) = delete;

    std::int32_t count() const { return static_cast<std::int32_t>(items_.size()); }
    // Room for `n` items, so that filling a large collection does not grow
    // (and rehash) it step by step.
    void reserve(std::size_t n)
    {
        byKey_.reserve(n);
        items_.reserve(n);
        serials_.reserve(n);
    }
    bool empty() const { return items_.empty(); }

    void add(Ref<T> item, std::u16string_view key)
    {
        auto [where, inserted] = byKey_.try_emplace(foldCase(key), std::move(item));
        if (!inserted) raiseError(error::kKeyAlreadyAssociated);
        try {
            items_.push_back(&*where);
            serials_.push_back(nextSerial_);
        } catch (...) {
            if (items_.size() > serials_.size()) items_.pop_back();
            byKey_.erase(where);
            throw;
        }
        ++nextSerial_;
    }

    // The item at a position or under a key, as the index Variant says.
    const Ref<T>& item(const Variant& index) const
    {
        const CollectionIndex read = readCollectionIndex(index);
        return read.isKey ? itemByKey(read.key) : itemAt(read.position);
    }
    const Ref<T>& itemAt(std::int32_t position) const { return items_[checkedPosition(position)]->second; }
    const Ref<T>& itemByKey(std::u16string_view key) const
    {
        auto found = byKey_.find(foldCase(key));
        if (found == byKey_.end()) raiseError(error::kInvalidProcedureCall);
        return found->second;
    }
    // The item under `key`, or an empty reference; never raises.
    Ref<T> find(std::u16string_view key) const
    {
        auto found = byKey_.find(foldCase(key));
        return found == byKey_.end() ? Ref<T>() : found->second;
    }

    void remove(const Variant& index) { eraseSlot(locate(index)); }
    void removeAt(std::int32_t position) { eraseSlot(checkedPosition(position)); }
    void removeByKey(std::u16string_view key) { eraseSlot(slotOfKey(foldCase(key))); }
    // Empties the collection in place; serials go on from where they were, so
    // enumerators of it see the items added afterwards as new.
    void clear()
    {
        items_.clear();
        serials_.clear();
        byKey_.clear();
    }

    // Enumeration in position order.
    template <class Visit>
    void forEach(Visit&& visit) const
    {
        for (const Node* node : items_) visit(node->second);
    }
    // Up to `limit` items in position order that were added after the item of
    // serial `after` (0: from the first); returns the serial of the last one
    // visited, or `after` when there was none.
    template <class Visit>
    std::uint64_t forEachAfter(std::uint64_t after, std::size_t limit, Visit&& visit) const
    {
        // Removals keep the order, so the serials stay ascending.
        std::size_t slot = static_cast<std::size_t>(std::upper_bound(serials_.begin(), serials_.end(), after) - serials_.begin());
        for (; limit > 0 && slot < items_.size(); --limit, ++slot) {
            after = serials_[slot];
            visit(items_[slot]->second);
        }
        return after;
    }
    std::vector<Ref<T>> snapshot() const
    {
        std::vector<Ref<T>> out;
        out.reserve(items_.size());
        for (const Node* node : items_) out.push_back(node->second);
        return out;
    }

private:
    // The map owns keys and items; the vector keeps their order as pointers to
    // the map's nodes, which stay put when the map grows.
    using Map = std::unordered_map<std::u16string, Ref<T>>;
    using Node = typename Map::value_type;

    std::size_t checkedPosition(std::int32_t position) const
    {
        if (position < 1 || position > count()) raiseError(error::kSubscriptOutOfRange);
        return static_cast<std::size_t>(position - 1);
    }

    // Removal closes up the vector anyway, so finding the slot by a scan costs
    // no more than the erase itself.
    std::size_t slotOfKey(const std::u16string& folded) const
    {
        const auto found = byKey_.find(folded);
        if (found == byKey_.end()) raiseError(error::kInvalidProcedureCall);
        const Node* node = &*found;
        return static_cast<std::size_t>(std::find(items_.begin(), items_.end(), node) - items_.begin());
    }

    std::size_t locate(const Variant& index) const
    {
        const CollectionIndex read = readCollectionIndex(index);
        if (!read.isKey) return checkedPosition(read.position);
        return slotOfKey(foldCase(read.key));
    }

    void eraseSlot(std::size_t slot)
    {
        const Node* node = items_[slot];
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(slot));
        serials_.erase(serials_.begin() + static_cast<std::ptrdiff_t>(slot));
        byKey_.erase(byKey_.find(node->first));
    }

    std::vector<const Node*> items_;
    std::vector<std::uint64_t> serials_;  // beside items_, slot for slot
    std::uint64_t nextSerial_ = 1;
    Map byKey_;
};

}  // namespace corvane::automation
