#include "ClassFactoryCalls.h"

#include "BusCall.h"
#include "ObjectRegistry.h"

#include "automation/AutomationError.h"
#include "automation/HResult.h"
#include "remoting/common/BusContract.h"
#include "remoting/common/ErrorInfo.h"
#include "remoting/common/WireText.h"
#include "server/ClassFactory.h"
#include "typelib/TypeLibrary.h"

namespace corvane::remoting {

namespace hresult = automation::hresult;

namespace {

void answer(BusCall& call, std::int32_t code, const QString& path, const ErrorInfo& error)
{
    BusMessage reply = call.newReply();
    reply.appendInt32(code);
    reply.appendText(path.toLatin1().constData(), 'o');
    write(reply, error);
    call.send(reply);
}

void fail(BusCall& call, std::int32_t code, const QString& source, const QString& description)
{
    answer(call, code, QString::fromLatin1(contract::kNothingPath), ErrorInfo{code, source, description});
}

}  // namespace

void ClassFactoryCalls::createInstance(BusCall& call)
{
    if (!call.expectSignature(contract::kCreateInstanceSignature)) return;
    const std::string_view utf8 = call.arguments().readText();
    const QString classId = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    const automation::ClassDescription* coclass = typelib::findCreatableClass(toU16(classId));
    if (coclass == nullptr) {
        fail(call, hresult::kClassNotRegistered, toQString(automation::kErrorSource),
             QStringLiteral("Class not registered: %1").arg(classId));
        return;
    }
    try {
        const automation::Ref<automation::DispatchObject> created = CreateInstance(context_.process, *coclass);
        const QString path = context_.registry.pathOf(*created);
        context_.registry.addReference(call.caller(), *created);
        answer(call, hresult::kOk, path, ErrorInfo{});
    } catch (const automation::AutomationError& error) {
        fail(call, error.hresult(), toQString(error.source()), toQString(error.description()));
    }
}

}  // namespace corvane::remoting
