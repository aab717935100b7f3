// The conformance cases shared with the D-Bus boundary, played through the
// objects' IDispatch faces as a client's calls arrive.
#include "ConformanceCases.h"
#include "ObjectModelFixture.h"
#include "com/ComResources.h"
#include "com/ObjectTable.h"
#include "com/VariantConversion.h"
#include "session/Data.h"
#include "tags/Tags.h"

// After the core's headers: these bring back the Windows headers' macros.
#include "DispatchCalls.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane::com {
namespace {

namespace conformance = corvane::test::conformance;

class ConformanceOverCom : public testing::ObjectModelFixture,
                           public ::testing::WithParamInterface<conformance::Case> {
protected:
    conformance::Answer play(const conformance::Call& call)
    {
        IDispatch* target = call.on == conformance::Role::Data ? data.get()
                            : call.on == conformance::Role::Tags ? tags.get()
                                                                 : tag.get();
        conformance::Answer answer;
        DISPID id = DISPID_VALUE;
        if (call.member) {
            LPOLESTR name = const_cast<LPOLESTR>(reinterpret_cast<const wchar_t*>(call.member));
            answer.hresult = target->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
            if (FAILED(answer.hresult)) return answer;
        }
        std::vector<OwnedVariant> arguments(call.args.size());
        std::vector<VARIANT> reversed;
        for (std::size_t i = call.args.size(); i-- > 0;) {
            toVariant(call.args[i], table, arguments[i].get());
            reversed.push_back(*arguments[i]);
        }
        DISPID putId = DISPID_PROPERTYPUT;
        const bool isPut = call.flags & DISPATCH_PROPERTYPUT;
        DISPPARAMS params{reversed.data(), isPut ? &putId : nullptr, UINT(reversed.size()), isPut ? 1u : 0u};
        OwnedVariant result;
        EXCEPINFO exception{};
        answer.hresult = target->Invoke(id, IID_NULL, 0, call.flags, &params, result.get(), &exception, nullptr);
        answer.exceptionCode = exception.scode;
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        if (SUCCEEDED(answer.hresult) && (*result).vt != VT_DISPATCH) answer.result = fromVariant(*result, table);
        return answer;
    }

    ReleaseQueue releases;
    ObjectTable table{*regional, releases};
    automation::Ref<Data> session = Data::Create(process);
    ComRef<IDispatch> data = ComRef<IDispatch>::adopt(table.dispatchOf(session));
    ComRef<IDispatch> tags = ComRef<IDispatch>::adopt(table.dispatchOf(session->Tags()));
    ComRef<IDispatch> tag = ComRef<IDispatch>::adopt(
        table.dispatchOf(session->Tags()->Add(u"TIC101.PV", automation::Variant::missing())));
};

TEST_P(ConformanceOverCom, AnswersAsTheDispatchRulesSay)
{
    for (std::size_t i = 0; i < GetParam().calls.size(); ++i) {
        const conformance::Call& call = GetParam().calls[i];
        EXPECT_EQ(conformance::mismatch(call, play(call)), "") << "call " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Shared, ConformanceOverCom, ::testing::ValuesIn(conformance::cases()),
                         [](const auto& named) { return named.param.name; });

}  // namespace
}  // namespace corvane::com
