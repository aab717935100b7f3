#include "TypeInfoSource.h"

#include "Guids.h"

#include "typelib/TypeLibrary.h"

namespace corvane::com {

ITypeLib* TypeInfoSource::library()
{
    if (!loaded_) {
        loaded_ = true;
        const automation::TypeLibraryDescription& description = typelib::library();
        const HRESULT result = LoadRegTypeLib(guidOf(description.libid), description.majorVersion, description.minorVersion,
                                              description.lcid, library_.put());
        if (FAILED(result)) library_.reset();
    }
    return library_.get();
}

bool TypeInfoSource::available() { return library() != nullptr; }

HRESULT TypeInfoSource::describe(const GUID& iid, ITypeInfo** info)
{
    ITypeLib* found = library();
    if (found == nullptr) return DISP_E_BADINDEX;
    return found->GetTypeInfoOfGuid(iid, info);
}

}  // namespace corvane::com
