#pragma once

#include "OperatorBus.h"
#include "OperatorCases.h"
#include "PrivateBus.h"

#include "corvanesim/Connection.h"
#include "corvanesim/Data.h"
#include "corvanesim/Tags.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace corvane::operator_test {

// The freshly built server on a private bus, started by the bus for the first
// call, offscreen and with the full stop for decimals; nothing answers its
// exit question but the operator interface. A client of the object model
// through the client library, and the operator's controls on a connection of
// their own.
class OperatorBusFixture : public ::testing::Test {
protected:
    // The bus starts the server from the service file in `services`.
    explicit OperatorBusFixture(const char* services = CORVANE_OPERATOR_TEST_SERVICES) : services_(services) {}

    void SetUp() override;
    void TearDown() override;

    // A new session over 6 December 2026 09:00 to 09:05 at 15 s, now the
    // current one, with one tag: the last row of the grid.
    struct Session {
        client::Data data;
        client::Tag tag;
        int row;
    };
    Session newSessionWith(std::u16string_view tagName);

    // A raw call of the operator's interface, for what the typed calls hide.
    QDBusMessage operatorCall(const char* member, const QVariantList& arguments = {},
                              const char* interface = "org.corvane.Operator1",
                              const char* path = "/org/corvane/CorvaneSim/Operator");

    std::unique_ptr<remoting::test::PrivateBus> bus;
    QDBusConnection operatorConnection{QString()};
    std::optional<cli::OperatorBus> controls;
    std::optional<client::Connection> client;

private:
    const char* services_;
};

}  // namespace corvane::operator_test
