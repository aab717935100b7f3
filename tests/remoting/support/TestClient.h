#pragma once

#include "RemoteObjects.h"

#include "automation/Variant.h"
#include "qtwire/QtErrorInfo.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

namespace corvane::remoting::test {

// A client of the bus contract, as much of one as the tests need: its own
// connection (so its own unique name and its own references), the calls of
// the four interfaces, and raw messages.
class TestClient {
public:
    // A client of the bus at `address`.
    explicit TestClient(const QString& address);
    // A client of the server's direct connection at `address` (a peer of its own).
    static std::unique_ptr<TestClient> direct(const QString& address);
    ~TestClient();
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    bool connected() const { return connection_.isConnected(); }
    QString uniqueName() const { return connection_.baseService(); }
    QDBusConnection& connection() { return connection_; }

    struct Created {
        qint32 hresult = 0;
        QString path;
        ErrorInfo error;
        QString busError;  // set when the call itself failed
    };
    Created create(const QString& classId);

    struct Invoked {
        qint32 hresult = 0;
        automation::Variant result;
        std::vector<automation::Variant> args;  // as returned, references included
        ErrorInfo exception;
        quint32 argErr = 0;
        QString busError;
        QString busErrorMessage;
        std::shared_ptr<std::deque<automation::Variant>> referenced = std::make_shared<std::deque<automation::Variant>>();
    };
    Invoked invoke(const QString& path, qint32 id, quint16 flags, const std::vector<automation::Variant>& args = {},
                   const std::vector<qint32>& namedIds = {});
    // A property put (the value as the named argument -3).
    Invoked put(const QString& path, qint32 id, const automation::Variant& value, quint16 flags = 4);
    // The path of the object that a property get returns ("/" for Nothing).
    QString getObject(const QString& path, qint32 id);

    qint32 idsOfNames(const QString& path, const QStringList& names, std::vector<qint32>& ids);
    quint32 addRef(const QString& path);
    quint32 release(const QString& path);
    std::vector<automation::Variant> next(const QString& enumerator, quint32 count);

    // A dispatch value standing for the server object at `path`, to send.
    automation::Variant object(const QString& path);
    // The path a returned object travelled as.
    static QString pathIn(const automation::Variant& value);

    // A raw call, for what the helpers above cannot send.
    QDBusMessage call(const QString& path, const QString& interface, const QString& member,
                      const QVariantList& arguments = {});

private:
    enum class Link { Bus, Peer };
    TestClient(const QString& address, Link link);

    Link link_;
    QDBusConnection connection_;
    RemoteObjects objects_;
};

}  // namespace corvane::remoting::test
