#pragma once

#include "ObjectRef.h"

#include "automation/Variant.h"

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace corvane::client {

// The items of a server enumerator, fetched with Next in batches as a
// range-for walks them. The enumerator walks a snapshot of its collection
// taken when it was made.
class Enumeration {
public:
    static constexpr unsigned kBatch = 64;

    explicit Enumeration(ObjectRef enumerator);

    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = automation::Variant;
        using difference_type = std::ptrdiff_t;
        using pointer = const automation::Variant*;
        using reference = const automation::Variant&;

        Iterator() = default;
        reference operator*() const;
        pointer operator->() const { return &**this; }
        Iterator& operator++();
        void operator++(int) { ++*this; }
        friend bool operator==(const Iterator& it, std::default_sentinel_t) { return it.atEnd(); }

    private:
        struct State;
        explicit Iterator(std::shared_ptr<State> state);
        bool atEnd() const;
        void fill();

        std::shared_ptr<State> state_;

        friend class Enumeration;
    };

    // Asks for the first batch. Every call starts where the last left off:
    // the enumerator is walked once.
    Iterator begin();
    std::default_sentinel_t end() const { return {}; }

private:
    static std::vector<automation::Variant> next(const ObjectRef& enumerator, unsigned count);

    std::shared_ptr<Iterator::State> state_;
};

}  // namespace corvane::client
