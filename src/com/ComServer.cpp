#include "ComServer.h"

#include "Guids.h"

#include "server/ServerProcess.h"
#include "typelib/TypeLibrary.h"

namespace corvane::com {

ComServer::ComServer(ServerProcess& process)
    : table_(process.regional, releases_),
      classObjects_{ClassObject(process, table_, typelib::kDataClass),
                    ClassObject(process, table_, typelib::kSimServerClass)}
{
}

HRESULT ComServer::offerClassObjects()
{
    const automation::ClassDescription* classes[] = {&typelib::kDataClass, &typelib::kSimServerClass};
    for (std::size_t i = 0; i < classObjects_.size(); ++i) {
        DWORD cookie = 0;
        const HRESULT result = CoRegisterClassObject(guidOf(classes[i]->clsid), &classObjects_[i], CLSCTX_LOCAL_SERVER,
                                                     REGCLS_MULTIPLEUSE, &cookie);
        if (FAILED(result)) return result;
    }
    return S_OK;
}

}  // namespace corvane::com
