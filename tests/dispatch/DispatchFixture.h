#pragma once

#include "ObjectModelFixture.h"
#include "automation/Dispatcher.h"
#include "automation/HResult.h"
#include "session/Data.h"
#include "tags/Tags.h"

#include <vector>

namespace corvane::testing {

inline constexpr std::uint16_t kMethod = automation::kInvokeMethod;
inline constexpr std::uint16_t kGet = automation::kInvokePropertyGet;
inline constexpr std::uint16_t kPut = automation::kInvokePropertyPut;
inline constexpr std::uint16_t kPutRef = automation::kInvokePropertyPutRef;

// A session with one tag, called by member name through the dispatch rules
// as a client's IDispatch call would be.
class DispatchFixture : public ObjectModelFixture {
protected:
    automation::DispId idOf(automation::DispatchObject& object, const char16_t* name)
    {
        std::vector<automation::DispId> ids;
        const std::u16string names[] = {name};
        EXPECT_EQ(automation::dispatch::getIDsOfNames(object.dispatchBinding().description, names, ids),
                  automation::hresult::kOk)
            << utf8(name);
        return ids[0];
    }

    automation::InvokeOutcome call(automation::DispatchObject& object, const char16_t* name, std::uint16_t flags,
                                   std::vector<automation::Variant> args = {}, std::vector<automation::DispId> named = {})
    {
        lastArgs = std::move(args);
        return automation::dispatch::invoke(object, idOf(object, name), flags, lastArgs, named, *regional);
    }
    automation::InvokeOutcome put(automation::DispatchObject& object, const char16_t* name, automation::Variant value)
    {
        return call(object, name, kPut, {std::move(value)}, {automation::kDispIdPropertyPut});
    }

    std::vector<automation::Variant> lastArgs;
    automation::Ref<Data> session = Data::Create(process);
    automation::Ref<Tags> tags = session->Tags();
    automation::Ref<Tag> tag = tags->Add(u"TIC101.PV", automation::Variant::missing());
};

}  // namespace corvane::testing
