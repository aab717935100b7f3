#include "RemoteCalls.h"

#include "ErrorReplies.h"
#include "InvokeCall.h"
#include "RemoteObject.h"
#include "ReplyObjects.h"

#include "remoting/common/BusContract.h"
#include "remoting/common/ErrorInfo.h"
#include "remoting/common/ValueDecoder.h"
#include "remoting/common/WireFormatError.h"
#include "remoting/common/WireText.h"
#include "typelib/TypeLibrary.h"

#include "automation/HResult.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QStringList>

#include <deque>

namespace corvane::client {

namespace contract = remoting::contract;
using automation::Ref;
using automation::Variant;

namespace {

void expectSignature(const QDBusMessage& reply, const char* signature)
{
    if (reply.signature() != QLatin1StringView(signature))
        throw errors::unreadableReply(
            QStringLiteral("expected signature %1, got \"%2\"").arg(QLatin1StringView(signature), reply.signature()));
}

}  // namespace

RemoteCalls::RemoteCalls(std::unique_ptr<Transport> transport) : transport_(std::move(transport)) {}

QDBusMessage RemoteCalls::exchange(const QString& destination, const QString& path, const char* interface,
                                   const char* member, const QVariantList& arguments, bool creating)
{
    QDBusMessage call = QDBusMessage::createMethodCall(destination, path, QLatin1StringView(interface),
                                                       QLatin1StringView(member));
    call.setArguments(arguments);
    const QDBusMessage reply = transport_->call(call, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw errors::fromErrorReply(reply, creating ? errors::Call::Create : errors::Call::OnObject);
    return reply;
}

Ref<RemoteObject> RemoteCalls::createInstance(std::u16string_view classId)
{
    const QDBusMessage reply =
        exchange(transport_->serviceName(), QLatin1StringView(contract::kRootPath), contract::kClassFactoryInterface,
                 "CreateInstance", {remoting::toQString(classId)}, true);
    expectSignature(reply, "io(iss)");
    const QVariantList out = reply.arguments();
    if (const std::int32_t code = out.at(0).toInt(); automation::hresult::failed(code)) {
        remoting::ErrorInfo error;
        try {
            error = remoting::decodeErrorInfo(out.at(2));
        } catch (const remoting::WireFormatError& bad) {
            throw errors::unreadableReply(bad.message());
        }
        throw RemoteError(code, error.description.isEmpty() ? errors::describe(code) : remoting::toU16(error.description),
                          remoting::toU16(error.source));
    }
    const QString path = out.at(1).value<QDBusObjectPath>().path();
    if (path == QLatin1StringView(contract::kNothingPath)) throw errors::unreadableReply(QStringLiteral("no object created"));
    const automation::ClassDescription* coclass = typelib::findCreatableClass(classId);
    // The reply comes from the server's unique name: the object is bound to that process.
    return Ref<RemoteObject>(new RemoteObject(shared_from_this(), reply.service(), path,
                                              coclass ? std::u16string(coclass->defaultInterface->name) : u""));
}

Variant RemoteCalls::invoke(RemoteObject& target, automation::DispId id, std::uint16_t flags,
                            const std::vector<Variant>& args)
{
    ReplyObjects objects(shared_from_this(), target.server());
    InvokeCall call(objects, id, flags, args);
    const QDBusMessage reply = exchange(target.server(), target.path(), contract::kDispatchInterface, "Invoke",
                                        call.arguments());
    Variant result = call.finish(reply);
    // A result object's interface, when the type library tells it, saves asking the server.
    if (result.type() == automation::VarType::Dispatch && result.object() && !target.interfaceName().empty())
        if (const std::u16string_view name = InvokeCall::resultInterface(target.interfaceName(), id, flags); !name.empty())
            static_cast<RemoteObject&>(*result.object()).setInterfaceName(std::u16string(name));
    return result;
}

automation::DispId RemoteCalls::idOfName(RemoteObject& target, std::u16string_view name)
{
    const std::u16string& interfaceName = interfaceOf(target);
    if (const auto known = names_.find(interfaceName, name)) return *known;
    const QDBusMessage reply = exchange(target.server(), target.path(), contract::kDispatchInterface,
                                        "GetIDsOfNames", {QStringList{remoting::toQString(name)}});
    expectSignature(reply, "iai");
    const std::int32_t code = reply.arguments().at(0).toInt();
    QList<int> ids;
    reply.arguments().at(1).value<QDBusArgument>() >> ids;
    if (automation::hresult::failed(code) || ids.size() != 1) {
        const std::int32_t reported = automation::hresult::failed(code) ? code : hresult::kUnexpected;
        throw RemoteError(reported, errors::describe(reported) + u" " + std::u16string(name));
    }
    names_.store(interfaceName, name, ids.front());
    return ids.front();
}

const std::u16string& RemoteCalls::interfaceOf(RemoteObject& target)
{
    if (target.interfaceName().empty()) {
        const QDBusMessage reply =
            exchange(target.server(), target.path(), contract::kDispatchInterface, "GetTypeInfo", {});
        expectSignature(reply, contract::kTypeInfoSignature);
        target.setInterfaceName(remoting::toU16(reply.arguments().at(0).toString()));
    }
    return target.interfaceName();
}

Ref<RemoteObject> RemoteCalls::addRef(const RemoteObject& object)
{
    const QDBusMessage reply = exchange(object.server(), object.path(), contract::kObjectInterface, "AddRef", {});
    expectSignature(reply, "u");
    return Ref<RemoteObject>(new RemoteObject(shared_from_this(), object.server(), object.path(), object.interfaceName()));
}

void RemoteCalls::release(const RemoteObject& object) noexcept
{
    try {
        QDBusMessage call = QDBusMessage::createMethodCall(object.server(), object.path(),
                                                           QLatin1StringView(contract::kObjectInterface),
                                                           QStringLiteral("Release"));
        transport_->call(call, kCallTimeoutMs);
    } catch (...) {
        // Nothing to report it to: the reference dies with the server or the connection.
    }
}

std::vector<Variant> RemoteCalls::next(RemoteObject& enumerator, std::uint32_t count)
{
    const QDBusMessage reply = exchange(enumerator.server(), enumerator.path(), contract::kEnumVariantInterface,
                                        "Next", {QVariant::fromValue(count)});
    expectSignature(reply, "a(qv)");
    ReplyObjects objects(shared_from_this(), enumerator.server());
    std::deque<Variant> unused;  // items are never references
    try {
        return remoting::ValueDecoder(objects, unused).decodeList(reply.arguments().at(0).value<QDBusArgument>());
    } catch (const remoting::WireFormatError& error) {
        throw errors::unreadableReply(error.message());
    }
}

}  // namespace corvane::client
