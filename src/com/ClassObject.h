#pragma once

#include "WindowsHeaders.h"

#include "ObjectTable.h"

#include "automation/TypeInfo.h"

namespace corvane {
class ServerProcess;
}

namespace corvane::com {

// The class object of one creatable class: every creation request from every
// client makes the object in this process. It lives as long as the process.
class ClassObject final : public IClassFactory {
public:
    ClassObject(ServerProcess& process, ObjectTable& table, const automation::ClassDescription& coclass)
        : process_(process), table_(table), coclass_(coclass)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    // The process lives while its window does, whatever clients lock.
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    ServerProcess& process_;
    ObjectTable& table_;
    const automation::ClassDescription& coclass_;
};

}  // namespace corvane::com
