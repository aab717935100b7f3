#include "BusServer.h"

#include "BusCall.h"
#include "Introspection.h"

#include "automation/DispatchObject.h"
#include "automation/Enumerator.h"
#include "remoting/common/BusContract.h"
#include "remoting/common/WireFormatError.h"

#include <QDBusConnectionInterface>

#include <new>

namespace corvane::remoting {

namespace {

const QString kRoot = QString::fromLatin1(contract::kRootPath);
const QString kOperator = QString::fromLatin1(contract::kOperatorPath);

bool is(const QString& interface, const char* expected)
{
    // A call may leave out the interface; member names are unique across ours.
    return interface.isEmpty() || interface == QLatin1StringView(expected);
}

}  // namespace

BusServer::BusServer(ServerProcess& process, QDBusConnection connection)
    : connection_(connection),
      servingOn_(connection),
      registry_(kRoot,
                [this](automation::Ref<automation::Object> last) { finalReleases_.add(std::move(last), servingOn_); }),
      factory_({process, registry_}),
      objectCalls_(registry_),
      dispatchCalls_({process, registry_}),
      enumeratorCalls_(registry_),
      direct_(*this, [this](const QString& client) { clientLeft(client); })
{
}

BusServer::~BusServer()
{
    connection_.unregisterObject(kRoot, QDBusConnection::UnregisterTree);
}

bool BusServer::start(QString& error)
{
    if (!connection_.isConnected()) {
        error = QStringLiteral("cannot reach the session bus: %1").arg(connection_.lastError().message());
        return false;
    }
    // Watch clients leave before any can hold a reference.
    connection_.connect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), this,
                        SLOT(nameOwnerChanged(QString, QString, QString)));
    if (!connection_.registerVirtualObject(kRoot, this, QDBusConnection::SubPath)) {
        error = QStringLiteral("cannot publish %1 on the bus").arg(kRoot);
        return false;
    }
    if (!connection_.registerService(QString::fromLatin1(contract::kServiceName))) {
        const QString owner = connection_.interface()->serviceOwner(QString::fromLatin1(contract::kServiceName));
        error = owner.isEmpty()
                    ? QStringLiteral("the bus refused the name %1: %2")
                          .arg(QLatin1StringView(contract::kServiceName), connection_.lastError().message())
                    : QStringLiteral("another server (%1) already owns %2 on this bus")
                          .arg(owner, QLatin1StringView(contract::kServiceName));
        return false;
    }
    return true;
}

void BusServer::serveOperator(OperatorActions& actions)
{
    operator_ = std::make_unique<OperatorCalls>(actions, connection_.name());
}

void BusServer::nameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner)
{
    // A unique name that loses its owner is a client gone for good.
    if (name.startsWith(QLatin1Char(':')) && !oldOwner.isEmpty() && newOwner.isEmpty()) clientLeft(name);
}

void BusServer::clientLeft(const QString& client)
{
    registry_.releaseClient(client);
    if (operator_) operator_->clientLeft(client);
}

QString BusServer::introspect(const QString& path) const
{
    // Introspect calls come through handleMessage; this is for Qt's own use.
    if (path == kRoot) return introspection::rootNode();
    return {};
}

bool BusServer::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage) return false;
    // A peer of a direct connection has no bus name; its connection names it.
    const bool onTheBus = connection.name() == connection_.name();
    BusCall call(message, connection, onTheBus ? message.service() : direct_.clientOf(connection));
    servingOn_ = connection;
    try {
        route(call);
    } catch (const WireLimitError& error) {
        call.fail(QStringLiteral("org.freedesktop.DBus.Error.LimitsExceeded"), error.message());
    } catch (const WireFormatError& error) {
        call.failInvalidArgs(error.message());
    } catch (const std::bad_alloc&) {
        call.fail(QStringLiteral("org.freedesktop.DBus.Error.NoMemory"), QStringLiteral("out of memory"));
    } catch (const std::exception& error) {
        call.fail(QStringLiteral("org.freedesktop.DBus.Error.Failed"), QString::fromLocal8Bit(error.what()));
    }
    registry_.collectUnclaimed();
    servingOn_ = connection_;
    ++callsServed_;
    return true;
}

void BusServer::route(BusCall& call)
{
    const QDBusMessage& message = call.message();
    const QString interface = message.interface();
    const QString member = message.member();
    const QString path = message.path();

    if (operator_ && path == kOperator) return operator_->handle(call);
    if (interface == QLatin1StringView("org.freedesktop.DBus.Introspectable") && member == QLatin1StringView("Introspect")) {
        if (!call.expectSignature("")) return;
        if (path == kRoot) return call.reply({introspection::rootNode()});
        const automation::Ref<automation::Object> object = registry_.objectAt(path);
        if (!object) return call.fail(QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"), path);
        automation::DispatchObject* dispatch = object->asDispatch();
        return call.reply({dispatch ? introspection::dispatchObjectNode(dispatch->dispatchBinding().description)
                                    : introspection::enumeratorNode()});
    }
    if (path == kRoot) {
        if (is(interface, contract::kClassFactoryInterface) && member == QLatin1StringView("CreateInstance"))
            return factory_.createInstance(call);
        if (is(interface, contract::kDirectConnectionInterface) && member == QLatin1StringView("Address"))
            return directAddress(call);
    } else {
        // Held for the whole call: a nested event loop may see its last client go.
        const automation::Ref<automation::Object> object = registry_.objectAt(path);
        if (!object)
            return call.fail(QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"),
                             QStringLiteral("no object lives at %1").arg(path));
        return routeToObject(call, *object);
    }
    call.fail(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
              QStringLiteral("%1 has no method %2.%3").arg(path, interface, member));
}

void BusServer::directAddress(BusCall& call)
{
    if (!call.expectSignature("")) return;
    QString error;
    const QString address = direct_.address(error);
    if (address.isEmpty())
        return call.fail(QStringLiteral("org.freedesktop.DBus.Error.Failed"),
                         QStringLiteral("no direct connection: %1").arg(error));
    call.reply({address});
}

void BusServer::routeToObject(BusCall& call, automation::Object& object)
{
    const QString interface = call.message().interface();
    const QString member = call.message().member();
    const auto named = [&member](const char* name) { return member == QLatin1StringView(name); };

    if (is(interface, contract::kObjectInterface)) {
        if (named("AddRef")) return objectCalls_.addRef(call, object);
        if (named("Release")) return objectCalls_.release(call);
    }
    if (automation::DispatchObject* dispatch = object.asDispatch()) {
        if (is(interface, contract::kDispatchInterface)) {
            if (named("GetIDsOfNames")) return dispatchCalls_.getIDsOfNames(call, *dispatch);
            if (named("Invoke")) return dispatchCalls_.invoke(call, *dispatch);
            if (named("GetTypeInfo")) return dispatchCalls_.getTypeInfo(call, *dispatch);
        }
    } else if (auto* enumerator = dynamic_cast<automation::Enumerator*>(&object)) {
        if (is(interface, contract::kEnumVariantInterface)) {
            if (named("Next")) return enumeratorCalls_.next(call, *enumerator);
            if (named("Skip")) return enumeratorCalls_.skip(call, *enumerator);
            if (named("Reset")) return enumeratorCalls_.reset(call, *enumerator);
            if (named("Clone")) return enumeratorCalls_.clone(call, *enumerator);
        }
    }
    call.fail(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
              QStringLiteral("%1 has no method %2.%3").arg(call.path(), interface, member));
}

}  // namespace corvane::remoting
