#pragma once

#include "Enumeration.h"
#include "ObjectRef.h"
#include "Tag.h"

#include "automation/Variant.h"

#include <cstdint>
#include <iterator>
#include <string_view>

namespace corvane::client {

// The tags of a query session (_Tags). A range-for walks them in order:
//   for (const Tag& tag : data.tags()) ...
class Tags {
public:
    explicit Tags(ObjectRef object) : object_(std::move(object)) {}

    std::int32_t count() const;
    Tag add(std::u16string_view name) const;
    Tag add(std::u16string_view name, const automation::Variant& key) const;
    // Delete: by position (from 1) or key.
    void deleteItem(const automation::Variant& index) const;
    // Remove: by name, which is the key.
    void remove(const automation::Variant& name) const;
    Tag item(const automation::Variant& index) const;
    // The enumerator (NewEnum), as an ObjectRef.
    ObjectRef newEnum() const;
    void removeAll() const;

    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = Tag;
        using difference_type = std::ptrdiff_t;

        explicit Iterator(Enumeration::Iterator items) : items_(std::move(items)) {}
        Tag operator*() const { return Tag(ObjectRef::from(*items_)); }
        Iterator& operator++()
        {
            ++items_;
            return *this;
        }
        void operator++(int) { ++items_; }
        friend bool operator==(const Iterator& it, std::default_sentinel_t end) { return it.items_ == end; }

    private:
        Enumeration::Iterator items_;
    };

    Iterator begin() const { return Iterator(Enumeration(newEnum()).begin()); }
    std::default_sentinel_t end() const { return {}; }

    const ObjectRef& object() const { return object_; }

private:
    ObjectRef object_;
};

}  // namespace corvane::client
