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

#include <QDBusObjectPath>

namespace corvane::remoting {

namespace hresult = automation::hresult;

namespace {

QVariantList failure(std::int32_t code, const QString& source, const QString& description)
{
    return {code, QVariant::fromValue(QDBusObjectPath(QLatin1StringView(contract::kNothingPath))),
            encoded(ErrorInfo{code, source, description})};
}

}  // namespace

void ClassFactoryCalls::createInstance(BusCall& call)
{
    if (!call.expectSignature(contract::kCreateInstanceSignature)) return;
    const QString classId = call.argument(0).toString();
    const automation::ClassDescription* coclass = typelib::findCreatableClass(toU16(classId));
    if (coclass == nullptr) {
        call.reply(failure(hresult::kClassNotRegistered, toQString(automation::kErrorSource),
                           QStringLiteral("Class not registered: %1").arg(classId)));
        return;
    }
    try {
        const automation::Ref<automation::DispatchObject> created = CreateInstance(context_.process, *coclass);
        const QString path = context_.registry.pathOf(*created);
        context_.registry.addReference(call.caller(), *created);
        call.reply({hresult::kOk, QVariant::fromValue(QDBusObjectPath(path)), encoded(ErrorInfo{})});
    } catch (const automation::AutomationError& error) {
        call.reply(failure(error.hresult(), toQString(error.source()), toQString(error.description())));
    }
}

}  // namespace corvane::remoting
