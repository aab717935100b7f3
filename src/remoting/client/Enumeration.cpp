#include "corvanesim/Enumeration.h"

#include "RemoteCalls.h"
#include "RemoteObject.h"

namespace corvane::client {

struct Enumeration::Iterator::State {
    ObjectRef enumerator;
    std::vector<automation::Variant> batch;
    std::size_t position = 0;
    bool started = false;
    bool exhausted = false;  // the last Next gave fewer than asked for
};

Enumeration::Enumeration(ObjectRef enumerator) : state_(std::make_shared<Iterator::State>())
{
    state_->enumerator = std::move(enumerator);
}

std::vector<automation::Variant> Enumeration::next(const ObjectRef& enumerator, unsigned count)
{
    RemoteObject& target = *enumerator.object_;
    return target.calls().next(target, count);
}

Enumeration::Iterator Enumeration::begin()
{
    Iterator first(state_);
    if (!state_->started) {
        state_->started = true;
        first.fill();
    }
    return first;
}

Enumeration::Iterator::Iterator(std::shared_ptr<State> state) : state_(std::move(state)) {}

bool Enumeration::Iterator::atEnd() const { return !state_ || state_->position >= state_->batch.size(); }

const automation::Variant& Enumeration::Iterator::operator*() const { return state_->batch[state_->position]; }

Enumeration::Iterator& Enumeration::Iterator::operator++()
{
    if (++state_->position >= state_->batch.size()) fill();
    return *this;
}

void Enumeration::Iterator::fill()
{
    // Items of the last batch are let go before the next is asked for.
    state_->batch.clear();
    state_->position = 0;
    if (state_->exhausted || !state_->enumerator) return;
    state_->batch = next(state_->enumerator, kBatch);
    state_->exhausted = state_->batch.size() < kBatch;
}

}  // namespace corvane::client
