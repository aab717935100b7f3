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
    }
    bool empty() const { return items_.empty(); }

    void add(Ref<T> item, std::u16string_view key)
    {
        auto [where, inserted] = byKey_.try_emplace(foldCase(key), std::move(item));
        if (!inserted) raiseError(error::kKeyAlreadyAssociated);
        try {
            items_.push_back(&*where);
        } catch (...) {
            byKey_.erase(where);
            throw;
        }
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

    // Enumeration in position order.
    template <class Visit>
    void forEach(Visit&& visit) const
    {
        for (const Node* node : items_) visit(node->second);
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
        byKey_.erase(byKey_.find(node->first));
    }

    std::vector<const Node*> items_;
    Map byKey_;
};

}  // namespace corvane::automation
