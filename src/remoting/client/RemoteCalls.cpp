#include "RemoteCalls.h"

#include "ErrorReplies.h"
#include "InvokeCall.h"
#include "RemoteObject.h"
#include "ReplyObjects.h"

#include "remoting/common/BusContract.h"
#include "remoting/common/BusValueReader.h"
#include "remoting/common/BusValueWriter.h"
#include "remoting/common/ErrorInfo.h"
#include "remoting/common/WireFormatError.h"
#include "remoting/common/WireText.h"
#include "typelib/TypeLibrary.h"

#include "automation/HResult.h"

#include <deque>

namespace corvane::client {

namespace contract = remoting::contract;
using automation::Ref;
using automation::Variant;
using remoting::BusMessage;

namespace {

QString text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

void expectSignature(const BusMessage& reply, const char* signature)
{
    if (reply.signature() != signature)
        throw errors::unreadableReply(
            QStringLiteral("expected signature %1, got \"%2\"").arg(QLatin1StringView(signature), text(reply.signature())));
}

// Reading a reply: anything off the contract is an unreadable reply.
template <class Read>
auto reading(Read read)
{
    try {
        return read();
    } catch (const remoting::WireFormatError& error) {
        throw errors::unreadableReply(error.message());
    }
}

}  // namespace

RemoteCalls::RemoteCalls(std::unique_ptr<Transport> transport) : transport_(std::move(transport)) {}

BusMessage RemoteCalls::exchange(const QString& destination, const QString& path, const char* interface,
                                 const char* member, const Arguments& write, bool creating)
{
    BusMessage call = transport_->newCall(destination, path, interface, member);
    if (write) write(call);
    CallReply reply = transport_->call(call, kCallTimeoutMs);
    if (!reply.succeeded()) throw errors::fromErrorReply(reply, creating ? errors::Call::Create : errors::Call::OnObject);
    return std::move(reply.message);
}

Ref<RemoteObject> RemoteCalls::createInstance(std::u16string_view classId)
{
    const QByteArray id = remoting::toQString(classId).toUtf8();
    BusMessage reply = exchange(transport_->serviceName(), QString::fromLatin1(contract::kRootPath),
                                contract::kClassFactoryInterface, "CreateInstance",
                                [&id](BusMessage& out) {
                                    try {
                                        out.appendText(id.constData());
                                    } catch (const remoting::WireFormatError& error) {
                                        throw errors::unsendableArgument(error.message());
                                    }
                                },
                                true);
    expectSignature(reply, "io(iss)");
    const std::int32_t code = reading([&] { return reply.readInt32(); });
    const QString path = reading([&] { return text(reply.readText('o')); });
    if (automation::hresult::failed(code)) {
        const remoting::ErrorInfo error = reading([&] { return remoting::readErrorInfo(reply); });
        throw RemoteError(code, error.description.isEmpty() ? errors::describe(code) : remoting::toU16(error.description),
                          remoting::toU16(error.source));
    }
    if (path == QLatin1StringView(contract::kNothingPath)) throw errors::unreadableReply(QStringLiteral("no object created"));
    const automation::ClassDescription* coclass = typelib::findCreatableClass(classId);
    // The reply comes from the server's unique name: the object is bound to that process.
    return Ref<RemoteObject>(new RemoteObject(shared_from_this(), text(reply.sender()), path,
                                              coclass ? std::u16string(coclass->defaultInterface->name) : u""));
}

Variant RemoteCalls::invoke(RemoteObject& target, automation::DispId id, std::uint16_t flags,
                            const std::vector<Variant>& args)
{
    ReplyObjects objects(shared_from_this(), target.server());
    InvokeCall call(objects, id, flags, args);
    BusMessage reply = exchange(target.server(), target.path(), contract::kDispatchInterface, "Invoke",
                                [&call](BusMessage& out) { call.write(out); });
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
    const QByteArray utf8 = remoting::toQString(name).toUtf8();
    BusMessage reply = exchange(target.server(), target.path(), contract::kDispatchInterface, "GetIDsOfNames",
                                [&utf8](BusMessage& out) {
                                    try {
                                        out.open('a', "s");
                                        out.appendText(utf8.constData());
                                        out.close();
                                    } catch (const remoting::WireFormatError& error) {
                                        throw errors::unsendableArgument(error.message());
                                    }
                                });
    expectSignature(reply, "iai");
    const std::int32_t code = reading([&] { return reply.readInt32(); });
    const std::vector<std::int32_t> ids = reading([&] {
        const std::span<const std::int32_t> found = reply.readFixedArray<std::int32_t>('i');
        return std::vector<std::int32_t>(found.begin(), found.end());
    });
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
        BusMessage reply = exchange(target.server(), target.path(), contract::kDispatchInterface, "GetTypeInfo");
        expectSignature(reply, contract::kTypeInfoSignature);
        target.setInterfaceName(reading([&] { return remoting::toU16(text(reply.readText())); }));
    }
    return target.interfaceName();
}

Ref<RemoteObject> RemoteCalls::addRef(const RemoteObject& object)
{
    const BusMessage reply = exchange(object.server(), object.path(), contract::kObjectInterface, "AddRef");
    expectSignature(reply, "u");
    return Ref<RemoteObject>(new RemoteObject(shared_from_this(), object.server(), object.path(), object.interfaceName()));
}

void RemoteCalls::release(const RemoteObject& object) noexcept
{
    try {
        BusMessage call = transport_->newCall(object.server(), object.path(), contract::kObjectInterface, "Release");
        transport_->call(call, kCallTimeoutMs);
    } catch (...) {
        // Nothing to report it to: the reference dies with the server or the connection.
    }
}

std::vector<Variant> RemoteCalls::next(RemoteObject& enumerator, std::uint32_t count)
{
    BusMessage reply = exchange(enumerator.server(), enumerator.path(), contract::kEnumVariantInterface, "Next",
                                [count](BusMessage& out) { out.appendUInt32(count); });
    expectSignature(reply, "a(qv)");
    ReplyObjects objects(shared_from_this(), enumerator.server());
    std::deque<Variant> unused;  // items are never references
    return reading([&] { return remoting::BusValueReader(objects, unused).readList(reply); });
}

}  // namespace corvane::client
