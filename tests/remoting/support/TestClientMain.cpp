// corvane_test_client: a second client process for the tests. It creates one
// object, prints "<hresult> <object path> <server's unique name>", and holds
// the object until its standard input closes (or it is killed). With
// --direct it is a peer of the direct connection at the address instead,
// prints "<hresult> <object path>" and ends; a call that fails ends it with 1,
// a socket it cannot reach with 4.
#include "TestClient.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == QLatin1StringView("--direct")) {
        const auto peer = corvane::remoting::test::TestClient::direct(arguments.at(2));
        // A socket out of reach fails the connect itself; a server that turns
        // the peer away may close the connection before this looks at it.
        if (!peer->connected() && peer->connection().lastError().isValid()) {
            std::fprintf(stderr, "cannot reach %s: %s\n", qPrintable(arguments.at(2)),
                         qPrintable(peer->connection().lastError().message()));
            return 4;
        }
        const auto created = peer->create(arguments.at(3));
        if (!created.busError.isEmpty()) {
            std::fprintf(stderr, "turned away: %s\n", qPrintable(created.busError));
            return 1;
        }
        std::printf("%d %s\n", created.hresult, qPrintable(created.path));
        return created.hresult == 0 ? 0 : 1;
    }
    if (arguments.size() != 3) {
        std::fputs("usage: corvane_test_client BUS-ADDRESS CLASS-ID\n", stderr);
        return 2;
    }
    corvane::remoting::test::TestClient client(arguments.at(1));
    const auto created = client.create(arguments.at(2));
    const QString server = client.connection().interface()->serviceOwner(QStringLiteral("org.corvane.CorvaneSim"));
    std::printf("%d %s %s\n", created.hresult, qPrintable(created.path), qPrintable(server));
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    return created.hresult == 0 ? 0 : 1;
}
