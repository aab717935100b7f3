#include "BusServer.h"

#include "BusCall.h"
#include "Introspection.h"

#include "automation/DispatchObject.h"
#include "automation/Enumerator.h"
#include "remoting/common/BusContract.h"
#include "remoting/common/WireFormatError.h"

#include <systemd/sd-bus.h>

#include <cstring>
#include <new>
#include <string_view>

namespace corvane::remoting {

namespace {

const QString kRoot = QString::fromLatin1(contract::kRootPath);
const QString kOperator = QString::fromLatin1(contract::kOperatorPath);

bool is(std::string_view interface, std::string_view expected)
{
    // A call may leave out the interface; member names are unique across ours.
    return interface.empty() || interface == expected;
}

QString text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

void replyText(BusCall& call, const QString& value)
{
    BusMessage reply = call.newReply();
    reply.appendText(value.toUtf8().constData());
    call.send(reply);
}

// The library hands every signal on; NameOwnerChanged comes only once asked for.
int passOn(sd_bus_message*, void*, sd_bus_error*) { return 0; }

}  // namespace

BusServer::BusServer(ServerProcess& process, BusConnection& bus)
    : bus_(bus),
      servingOn_(&bus),
      registry_(kRoot,
                [this](automation::Ref<automation::Object> last) { finalReleases_.add(std::move(last), *servingOn_); }),
      factory_({process, registry_}),
      objectCalls_(registry_),
      dispatchCalls_({process, registry_}),
      enumeratorCalls_(registry_),
      direct_([this](BusMessage& message, BusConnection& connection,
                     const QString& client) { serve(message, connection, client); },
              [this](const QString& client) { clientLeft(client); })
{
    bus_.onMessage([this](BusMessage& message) { busMessage(message); });
}

BusServer::~BusServer() { bus_.onMessage(nullptr); }

bool BusServer::start(QString& error)
{
    // Watch clients leave before any can hold a reference.
    const int watching = sd_bus_add_match(bus_.bus(), nullptr,
                                          "type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',"
                                          "interface='org.freedesktop.DBus',member='NameOwnerChanged'",
                                          passOn, nullptr);
    if (watching < 0) {
        error = QStringLiteral("cannot watch clients leave the bus: %1").arg(QString::fromLocal8Bit(std::strerror(-watching)));
        return false;
    }
    const int claimed = sd_bus_request_name(bus_.bus(), contract::kServiceName, 0);
    if (claimed >= 0) return true;
    sd_bus_creds* creds = nullptr;
    const char* owner = nullptr;
    if (sd_bus_get_name_creds(bus_.bus(), contract::kServiceName, SD_BUS_CREDS_UNIQUE_NAME, &creds) >= 0)
        sd_bus_creds_get_unique_name(creds, &owner);
    error = owner ? QStringLiteral("another server (%1) already owns %2 on this bus")
                        .arg(QString::fromUtf8(owner), QLatin1StringView(contract::kServiceName))
                  : QStringLiteral("the bus refused the name %1: %2")
                        .arg(QLatin1StringView(contract::kServiceName), QString::fromLocal8Bit(std::strerror(-claimed)));
    sd_bus_creds_unref(creds);
    return false;
}

void BusServer::serveOperator(OperatorActions& actions) { operator_ = std::make_unique<OperatorCalls>(actions); }

void BusServer::servePath(const QString& path, std::function<void(BusCall&)> handler)
{
    extraPath_ = path;
    extraHandler_ = std::move(handler);
}

void BusServer::busMessage(BusMessage& message)
{
    if (message.isMethodCall()) return serve(message, bus_, text(message.sender()));
    // A unique name that loses its owner is a client gone for good.
    if (!message.isSignal("org.freedesktop.DBus", "NameOwnerChanged") || message.sender() != "org.freedesktop.DBus") return;
    try {
        const std::string_view name = message.readText();
        const std::string_view oldOwner = message.readText();
        const std::string_view newOwner = message.readText();
        if (name.starts_with(':') && !oldOwner.empty() && newOwner.empty()) clientLeft(text(name));
    } catch (const WireFormatError&) {
    }
}

void BusServer::clientLeft(const QString& client)
{
    registry_.releaseClient(client);
    if (operator_) operator_->clientLeft(client);
}

void BusServer::serve(BusMessage& message, BusConnection& connection, const QString& caller)
{
    if (!message.isMethodCall()) return;
    BusCall call(message, connection, caller);
    BusConnection* const outer = servingOn_;
    servingOn_ = &connection;
    try {
        route(call);
    } catch (const WireLimitError& error) {
        call.fail("org.freedesktop.DBus.Error.LimitsExceeded", error.message());
    } catch (const WireFormatError& error) {
        call.failInvalidArgs(error.message());
    } catch (const std::bad_alloc&) {
        call.fail("org.freedesktop.DBus.Error.NoMemory", QStringLiteral("out of memory"));
    } catch (const std::exception& error) {
        call.fail("org.freedesktop.DBus.Error.Failed", QString::fromLocal8Bit(error.what()));
    }
    registry_.collectUnclaimed();
    servingOn_ = outer;
    ++callsServed_;
}

void BusServer::route(BusCall& call)
{
    // The header's texts are compared as they came; only the path becomes a
    // QString, once, for the registry.
    const std::string_view interface = call.message().interface();
    const std::string_view member = call.message().member();
    const QString path = call.path();

    if (operator_ && path == kOperator) return operator_->handle(call);
    if (extraHandler_ && path == extraPath_) return extraHandler_(call);
    if (interface == "org.freedesktop.DBus.Introspectable" && member == "Introspect") {
        if (!call.expectSignature("")) return;
        if (path == kRoot) return replyText(call, introspection::rootNode());
        const automation::Ref<automation::Object> object = registry_.objectAt(path);
        if (!object) return call.fail("org.freedesktop.DBus.Error.UnknownObject", path);
        automation::DispatchObject* dispatch = object->asDispatch();
        return replyText(call, dispatch ? introspection::dispatchObjectNode(dispatch->dispatchBinding().description)
                                        : introspection::enumeratorNode());
    }
    if (path == kRoot) {
        if (is(interface, contract::kClassFactoryInterface) && member == "CreateInstance")
            return factory_.createInstance(call);
        if (is(interface, contract::kDirectConnectionInterface) && member == "Address") return directAddress(call);
    } else {
        // Held for the whole call: a nested event loop may see its last client go.
        const automation::Ref<automation::Object> object = registry_.objectAt(path);
        if (!object)
            return call.fail("org.freedesktop.DBus.Error.UnknownObject", QStringLiteral("no object lives at %1").arg(path));
        return routeToObject(call, *object);
    }
    unknownMethod(call);
}

void BusServer::unknownMethod(BusCall& call)
{
    call.fail("org.freedesktop.DBus.Error.UnknownMethod",
              QStringLiteral("%1 has no method %2.%3").arg(call.path(), call.interface(), call.member()));
}

void BusServer::directAddress(BusCall& call)
{
    if (!call.expectSignature("")) return;
    QString error;
    const QString address = direct_.address(error);
    if (address.isEmpty())
        return call.fail("org.freedesktop.DBus.Error.Failed", QStringLiteral("no direct connection: %1").arg(error));
    replyText(call, address);
}

void BusServer::routeToObject(BusCall& call, automation::Object& object)
{
    const std::string_view interface = call.message().interface();
    const std::string_view member = call.message().member();
    const auto named = [member](std::string_view name) { return member == name; };

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
    unknownMethod(call);
}

}  // namespace corvane::remoting
