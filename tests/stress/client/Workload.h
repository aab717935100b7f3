#pragma once

#include "HeldSession.h"

#include "corvanesim/CorvaneSim.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace corvane::stress {

// What one stress client does: random operations over sessions, tags,
// histories, writes, enumerators and references of its own, each checking the
// answer against what the client knows the server must hold. A wrong answer
// throws CheckFailure; a failure that the shared state of other clients does
// not explain leaves as RemoteError.
class Workload {
public:
    Workload(client::Connection connection, std::uint64_t seed, std::u16string clientTag);

    void run(long operations);

    long operationsDone() const { return done_; }
    // The operation under way, for reporting a failure.
    const char* currentOperation() const { return current_; }
    // Failures that other clients' changes to the shared window and grid explain.
    long explainedFailures() const { return explained_; }
    // Drops every reference in an order of its own choosing.
    void releaseEverything();

private:
    struct Operation {
        const char* name;
        int weight;
        void (Workload::*run)();
    };
    static const std::vector<Operation>& operations();

    // Operations on sessions and their collections (SessionOperations.cpp).
    void newSession();
    void dropSession();
    void addTag();
    void removeTag();
    void lookUpTag();
    void countTags();
    void enumerateTags();
    void holdEnumeratorHalfWalked();
    void removeAllTags();
    // Operations on tags (TagOperations.cpp).
    void unpackHistory();
    void setTimeWindow();
    void writeValue();
    void setTagProperties();
    void readDefinition();
    void fetchAndLogin();
    // References and the emulator object (ReferenceOperations.cpp).
    void addOrDropReference();
    void callByName();
    void createSimServer();

    HeldSession& someSession();
    // A tag of some session; null when no session holds one.
    HeldTag* someTag(HeldSession*& session);
    std::size_t below(std::size_t bound);
    bool chance(double probability);

    client::Connection connection_;
    std::mt19937_64 random_;
    std::u16string clientTag_;
    std::vector<HeldSession> sessions_;
    // References held for their own sake: copies, enumerators, definitions, emulators.
    std::vector<client::ObjectRef> extras_;
    const char* current_ = "connecting";
    long done_ = 0;
    long explained_ = 0;
    long namesMade_ = 0;
};

}  // namespace corvane::stress
