#include "ErrorObject.h"

#include "ComResources.h"

namespace corvane::com {

void fillExceptionInfo(const automation::ExceptionInfo& raised, EXCEPINFO* out)
{
    *out = EXCEPINFO{};
    out->scode = raised.code;
    out->bstrSource = Bstr(raised.source).detach();
    out->bstrDescription = Bstr(raised.description).detach();
}

void setErrorObject(const automation::ExceptionInfo& raised, const GUID& interfaceId)
{
    ComRef<ICreateErrorInfo> made;
    if (FAILED(CreateErrorInfo(made.put()))) return;
    made->SetGUID(interfaceId);
    Bstr source(raised.source);
    Bstr description(raised.description);
    made->SetSource(source.get());
    made->SetDescription(description.get());
    ComRef<IErrorInfo> error;
    if (SUCCEEDED(made->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(error.put()))))
        SetErrorInfo(0, error.get());
}

}  // namespace corvane::com
