#include "DispatchInvoke.h"

#include "ErrorObject.h"
#include "Guids.h"
#include "VariantConversion.h"

#include "automation/Dispatcher.h"
#include "automation/HResult.h"

#include <vector>

namespace corvane::com {

namespace hresult = automation::hresult;

namespace {

// More arguments than any member has parameters is refused by the rules
// anyway; this bound only keeps a hostile count from costing memory first.
constexpr UINT kMostArguments = 64;

}  // namespace

HRESULT invokeThroughDispatcher(automation::DispatchObject& target, ObjectBridge& objects,
                                const automation::RegionalSettings& regional, DISPID id, WORD flags,
                                DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argErr)
{
    DISPPARAMS none{};
    if (params == nullptr) params = &none;
    const UINT count = params->cArgs;
    const UINT named = params->cNamedArgs;
    if ((count > 0 && params->rgvarg == nullptr) || named > count || (named > 0 && params->rgdispidNamedArgs == nullptr))
        return E_INVALIDARG;
    if (count > kMostArguments) return DISP_E_BADPARAMCOUNT;
    const UINT positional = count - named;
    // The dispatcher's order: positional arguments first to last, then the named ones.
    auto comIndex = [&](std::size_t k) { return k < positional ? UINT(positional - 1 - k + named) : UINT(k - positional); };

    CallArguments arguments(objects);
    std::vector<automation::Variant> values;
    values.reserve(count);
    try {
        for (std::size_t k = 0; k < count; ++k) values.push_back(arguments.read(params->rgvarg[comIndex(k)]));
    } catch (const ConversionRefused& refused) {
        if (argErr) *argErr = comIndex(values.size());
        return refused.code;
    }
    const std::vector<automation::DispId> namedIds(params->rgdispidNamedArgs, params->rgdispidNamedArgs + named);

    const automation::InvokeOutcome outcome = automation::dispatch::invoke(target, id, flags, values, namedIds, regional);
    if (outcome.hresult == hresult::kException) {
        setErrorObject(outcome.exception, guidOf(target.dispatchBinding().description.iid));
        if (exception == nullptr) return outcome.exception.code;
        fillExceptionInfo(outcome.exception, exception);
        return DISP_E_EXCEPTION;
    }
    if (hresult::failed(outcome.hresult)) {
        const bool namesAnArgument = outcome.hresult == hresult::kTypeMismatch || outcome.hresult == hresult::kOverflow ||
                                     outcome.hresult == hresult::kParamNotFound;
        if (namesAnArgument && argErr && outcome.argErr < count) *argErr = comIndex(outcome.argErr);
        return outcome.hresult;
    }
    try {
        arguments.writeBack();
        if (result) toVariant(outcome.result, objects, result);
    } catch (const ConversionRefused& refused) {
        return refused.code;
    }
    return S_OK;
}

}  // namespace corvane::com
