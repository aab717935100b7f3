#include "WireArray.h"

#include <QDBusMetaType>

namespace corvane::remoting {

void registerWireArrayTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<WireI2Array>();
        qDBusRegisterMetaType<WireBoolArray>();
        qDBusRegisterMetaType<WireI4Array>();
        qDBusRegisterMetaType<WireErrorArray>();
        qDBusRegisterMetaType<WireR4Array>();
        qDBusRegisterMetaType<WireR8Array>();
        qDBusRegisterMetaType<WireDateArray>();
        qDBusRegisterMetaType<WireCurrencyArray>();
        return true;
    }();
    (void)registered;
}

}  // namespace corvane::remoting
