#pragma once

#include "com/WindowsHeaders.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace corvane::fuzz {

// What a COM client holds while one call runs: its arguments, the VARIANTs
// and typed slots its references point at, and what it made by hand.
// Afterwards everything is freed the way the client frees it: the VARIANTs
// first, then the rest, last made first.
class CallerStorage {
public:
    // Who frees what a VARIANT holds once the call is over.
    enum class Holding {
        Owned,     // VariantClear frees it and must succeed
        Inert,     // nothing to free (a hostile type over zero bytes)
        Borrowed,  // made by hand; its pieces are freed by afterwards()
    };

    CallerStorage() = default;
    CallerStorage(const CallerStorage&) = delete;
    CallerStorage& operator=(const CallerStorage&) = delete;
    ~CallerStorage();

    // A VARIANT (VT_EMPTY, inert) at an address that stays put.
    VARIANT& variant();
    // Zero bytes for a typed reference to point at, room for a VARIANT (the
    // largest thing a reference points at; a reference of any type may say it
    // points at one).
    void* slot();
    // `value` (which must stay put) is the client's to free as `holding`
    // says; whatever the server writes into it must clear cleanly.
    void holds(VARIANT& value, Holding holding);
    // Runs when the call is over, after the VARIANTs are freed.
    void afterwards(std::function<void()> release) { releases_.push_back(std::move(release)); }

    // The call starts: what the client holds now is what it passed.
    void seal();
    // Whether the server wrote into anything the client holds.
    bool changed() const;

private:
    struct alignas(16) Slot {
        unsigned char bytes[sizeof(VARIANT)];
    };
    struct Held {
        VARIANT* value;
        Holding holding;
        VARIANT before;
    };
    std::vector<unsigned char> heldBytes() const;

    std::deque<VARIANT> variants_;
    std::deque<Slot> slots_;
    std::vector<Held> held_;
    std::vector<std::function<void()>> releases_;
    std::vector<unsigned char> sealed_;
};

}  // namespace corvane::fuzz
