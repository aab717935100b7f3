#include "Workload.h"

#include "CheckFailure.h"

#include <algorithm>
#include <numeric>

namespace corvane::stress {

const std::vector<Workload::Operation>& Workload::operations()
{
    // Weights favour the calls that clients make most; the costly ones (a new
    // emulator reads the tag database) are rare.
    static const std::vector<Operation> table = {
        {"new session", 3, &Workload::newSession},
        {"drop session", 1, &Workload::dropSession},
        {"add tag", 8, &Workload::addTag},
        {"remove tag", 5, &Workload::removeTag},
        {"look up tag", 4, &Workload::lookUpTag},
        {"count tags", 2, &Workload::countTags},
        {"enumerate tags", 2, &Workload::enumerateTags},
        {"hold enumerator", 1, &Workload::holdEnumeratorHalfWalked},
        {"remove all tags", 1, &Workload::removeAllTags},
        {"unpack history", 6, &Workload::unpackHistory},
        {"set time window", 2, &Workload::setTimeWindow},
        {"write value", 6, &Workload::writeValue},
        {"set tag properties", 2, &Workload::setTagProperties},
        {"read definition", 2, &Workload::readDefinition},
        {"fetch and log in", 1, &Workload::fetchAndLogin},
        {"add or drop reference", 4, &Workload::addOrDropReference},
        {"call by name", 2, &Workload::callByName},
    };
    return table;
}

Workload::Workload(client::Connection connection, std::uint64_t seed, std::u16string clientTag)
    : connection_(std::move(connection)), random_(seed), clientTag_(std::move(clientTag))
{
}

void Workload::run(long count)
{
    const auto& table = operations();
    const int total = std::accumulate(table.begin(), table.end(), 0, [](int sum, const Operation& op) { return sum + op.weight; });
    for (; done_ < count; ++done_) {
        // About one operation in 400 makes an emulator object: each reads the
        // tag database in a process of its own, and its last release asks the
        // operator whether to exit.
        if (chance(getenv("XRATE") ? atof(getenv("XRATE")) : 1.0 / 400)) {
            current_ = "create emulator";
            try {
                createSimServer();
            } catch (const CheckFailure& failure) {
                throw CheckFailure(std::string("create emulator: ") + failure.what());
            }
            continue;
        }
        int pick = int(below(std::size_t(total)));
        for (const Operation& op : table) {
            if (pick < op.weight) {
                current_ = op.name;
                try {
                    (this->*op.run)();
                } catch (const CheckFailure& failure) {
                    throw CheckFailure(std::string(op.name) + ": " + failure.what());
                }
                break;
            }
            pick -= op.weight;
        }
    }
}

void Workload::releaseEverything()
{
    current_ = "release everything";
    // Half the time newest first, half the time oldest first.
    if (chance(0.5)) std::reverse(sessions_.begin(), sessions_.end());
    while (!sessions_.empty()) sessions_.pop_back();
    while (!extras_.empty()) extras_.pop_back();
}

HeldSession& Workload::someSession()
{
    if (sessions_.empty()) newSession();
    return sessions_[below(sessions_.size())];
}

HeldTag* Workload::someTag(HeldSession*& session)
{
    session = &someSession();
    if (session->expected.empty()) return nullptr;
    return &session->expected[below(session->expected.size())];
}

std::size_t Workload::below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_); }

bool Workload::chance(double probability) { return std::bernoulli_distribution(probability)(random_); }

}  // namespace corvane::stress
