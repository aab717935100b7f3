#pragma once

#include "PrivateBus.h"

#include "corvanesim/Connection.h"
#include "corvanesim/ObjectRef.h"
#include "remoting/client/Transport.h"

#include <QDBusConnection>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace corvane::client::test {

// A private bus whose activation starts the freshly built server offscreen
// (its exit question answered No), and the library connected to it. The
// fixture shares the library's bus connection, so that it can ask the server
// how many references this client holds.
class ClientBusFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The references this client holds on the object at `path`, as the server
    // counts them (an AddRef and a Release of the fixture's own); 0 when the
    // object has ended.
    quint32 serverCount(const std::string& path);
    quint32 serverCount(const ObjectRef& object) { return serverCount(object.path()); }

    bool serverRunning();

    std::unique_ptr<remoting::test::PrivateBus> bus;
    // A client of its own, for what any client may ask.
    QDBusConnection busConnection{QString()};
    // The library's own connection, which `connection` owns.
    Transport* transport = nullptr;
    std::optional<Connection> connection;
};

}  // namespace corvane::client::test
