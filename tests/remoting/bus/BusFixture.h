#pragma once

#include "Members.h"
#include "PrivateBus.h"
#include "TestClient.h"

#include <gtest/gtest.h>

#include <memory>

namespace corvane::remoting::test {

// A private bus whose activation starts the freshly built server, and one
// client on it. The server answers its exit question as the fixture says.
class BusFixture : public ::testing::Test {
protected:
    enum class ExitAnswer { Yes, No };

    explicit BusFixture(ExitAnswer answer = ExitAnswer::No) : answer_(answer) {}

    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<TestClient> newClient() { return std::make_unique<TestClient>(bus->address()); }

    // A new session of `on` (the fixture's client by default), and its Tags.
    QString createData(TestClient* on = nullptr);
    QString tagsOf(const QString& data, TestClient* on = nullptr);
    // The Tag that Tags.Add returns for `name`.
    QString addTag(const QString& tags, const char16_t* name, TestClient* on = nullptr);

    bool serverRunning();

    static constexpr char kServiceName[] = "org.corvane.CorvaneSim";

    std::unique_ptr<PrivateBus> bus;
    std::unique_ptr<TestClient> client;

private:
    ExitAnswer answer_;
};

// The same, with the operator answering Yes.
class BusFixtureAnsweringYes : public BusFixture {
protected:
    BusFixtureAnsweringYes() : BusFixture(ExitAnswer::Yes) {}
};

}  // namespace corvane::remoting::test
