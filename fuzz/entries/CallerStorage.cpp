#include "CallerStorage.h"

#include "FuzzInput.h"

#include <cstring>
#include <string>

namespace corvane::fuzz {

CallerStorage::~CallerStorage()
{
    for (auto held = held_.rbegin(); held != held_.rend(); ++held) {
        const bool written = std::memcmp(held->value, &held->before, sizeof(VARIANT)) != 0;
        const VARTYPE vt = held->value->vt;
        if ((held->holding == Holding::Owned || written) && FAILED(VariantClear(held->value))) {
            const std::string type = std::to_string(vt) + (written ? " written by the server" : " as passed");
            fail("a VARIANT the client holds cannot be freed after the call", std::u16string(type.begin(), type.end()));
        }
    }
    while (!releases_.empty()) {
        const std::function<void()> release = std::move(releases_.back());
        releases_.pop_back();
        release();
    }
}

VARIANT& CallerStorage::variant()
{
    VARIANT& made = variants_.emplace_back();
    VariantInit(&made);
    held_.push_back({&made, Holding::Inert, made});
    return made;
}

void* CallerStorage::slot() { return slots_.emplace_back(Slot{}).bytes; }

void CallerStorage::holds(VARIANT& value, Holding holding)
{
    for (Held& held : held_) {
        if (held.value == &value) {
            held.holding = holding;
            return;
        }
    }
    held_.push_back({&value, holding, value});
}

void CallerStorage::seal()
{
    for (Held& held : held_) held.before = *held.value;
    sealed_ = heldBytes();
}

bool CallerStorage::changed() const { return heldBytes() != sealed_; }

std::vector<unsigned char> CallerStorage::heldBytes() const
{
    std::vector<unsigned char> bytes;
    for (const Held& held : held_) {
        const auto* first = reinterpret_cast<const unsigned char*>(held.value);
        bytes.insert(bytes.end(), first, first + sizeof(VARIANT));
    }
    for (const Slot& slot : slots_) bytes.insert(bytes.end(), slot.bytes, slot.bytes + sizeof(slot.bytes));
    return bytes;
}

}  // namespace corvane::fuzz
