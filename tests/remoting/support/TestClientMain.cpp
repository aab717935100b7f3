// corvane_test_client: a second client process for the tests. It creates one
// object, prints "<hresult> <object path> <server's unique name>", and holds
// the object until its standard input closes (or it is killed).
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
