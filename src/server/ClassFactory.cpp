#include "ClassFactory.h"

#include "server/SimServer.h"
#include "typelib/TypeLibrary.h"
#include "session/Data.h"

#include <stdexcept>

namespace corvane {

automation::Ref<automation::DispatchObject> CreateInstance(ServerProcess& process,
                                                           const automation::ClassDescription& coclass)
{
    if (&coclass == &typelib::kDataClass) return Data::Create(process);
    if (&coclass == &typelib::kSimServerClass) return SimServer::Create(process);
    throw std::logic_error("not a creatable class");
}

}  // namespace corvane
