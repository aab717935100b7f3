// COM clients calling the object model through IDispatch::Invoke: the same
// server over in-memory doubles as the dispatch target, reached through the
// adapter's VARIANT conversion with well-formed and hostile arguments.
#include "com/WindowsHeaders.h"

#include "Entries.h"

#include "CallerStorage.h"
#include "ClientObjects.h"
#include "ComArgumentSource.h"
#include "CountedFaces.h"
#include "ServerScene.h"
#include "VariantSource.h"
#include "com/DispatchInvoke.h"
#include "com/VariantConversion.h"

#include "automation/AutomationError.h"
#include "server/ClassFactory.h"
#include "typelib/TypeLibrary.h"

#include <deque>
#include <vector>

namespace corvane::fuzz {
namespace {

using namespace automation;

constexpr int kMaxSteps = 32;
constexpr std::uint32_t kMaxArguments = 6;
constexpr UINT kArgErrUntouched = 0xFFFFFFFFu;

// What IDispatch::Invoke may answer, a member's error aside.
bool invokeMayAnswer(HRESULT code)
{
    switch (code) {
    case S_OK: case DISP_E_BADPARAMCOUNT: case DISP_E_BADVARTYPE: case DISP_E_EXCEPTION: case DISP_E_MEMBERNOTFOUND:
    case DISP_E_NONAMEDARGS: case DISP_E_OVERFLOW: case DISP_E_PARAMNOTFOUND: case DISP_E_TYPEMISMATCH:
    case DISP_E_UNKNOWNINTERFACE: case DISP_E_UNKNOWNLCID: case DISP_E_PARAMNOTOPTIONAL: case E_INVALIDARG:
    case E_OUTOFMEMORY:
        return true;
    default:
        return false;
    }
}

class ComClient {
public:
    ComClient(ServerScene& scene, FuzzInput& in)
        : scene_(scene), in_(in), objects_(in), values_(in, referenced_, objects_.held())
    {
    }
    ComClient(const ComClient&) = delete;
    ComClient& operator=(const ComClient&) = delete;
    ~ComClient() { SetErrorInfo(0, nullptr); }

    void startSession() { objects_.startSession(scene_.process); }

    void step()
    {
        switch (in_.below(8)) {
        case 0:
            try {
                keep(CreateInstance(scene_.process, in_.flag() ? typelib::kDataClass : typelib::kSimServerClass));
            } catch (const AutomationError&) {
            }
            break;
        case 1: objects_.releaseOne(); break;
        case 2: scene_.operatorStep(in_); break;
        default: call(); break;
        }
        referenced_.clear();
    }

private:
    void keep(const Ref<Object>& object) { objects_.keep(object); }

    void call()
    {
        DispatchObject* target = objects_.pickDispatchTarget();
        if (!target) return;
        const InterfaceDescription& interface = target->dispatchBinding().description;

        DISPID id = 0;
        WORD flags = 0;
        std::size_t count = 0;
        if (in_.below(8) != 0) {
            const MemberDescription& member = interface.members[in_.below(static_cast<std::uint32_t>(interface.members.size()))];
            id = member.id;
            flags = static_cast<WORD>(1u << static_cast<unsigned>(member.kind));
            if (member.kind == MemberKind::PropertyGet && in_.flag()) flags |= DISPATCH_METHOD;
            count = member.params.size();
        } else {
            id = in_.flag() ? static_cast<DISPID>(in_.below(6)) - 4 : in_.raw<DISPID>();
            flags = in_.raw<WORD>();
        }
        if (in_.below(4) == 0) count = in_.below(kMaxArguments + 1);

        // The client frees what it passed (storage) before the arguments go.
        std::vector<VARIANT> args(count);
        CallerStorage storage;
        ComArgumentSource source(in_, values_, faces_, objects_.held(), storage);
        for (VARIANT& arg : args) storage.holds(arg, source.argument(arg));

        std::vector<DISPID> named;
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            if (!args.empty() && in_.below(4) != 0) named.push_back(DISPID_PROPERTYPUT);
        } else if (!args.empty() && in_.below(4) == 0) {
            const std::uint32_t namedCount = in_.below(static_cast<std::uint32_t>(args.size()) + 1);
            for (std::uint32_t i = 0; i < namedCount; ++i)
                named.push_back(in_.flag() ? static_cast<DISPID>(in_.below(4)) - 1 : in_.raw<DISPID>());
        }
        invoke(*target, id, flags, args, named, storage);
    }

    void invoke(DispatchObject& target, DISPID id, WORD flags, std::vector<VARIANT>& args, std::vector<DISPID>& named,
                CallerStorage& storage)
    {
        DISPPARAMS params{args.data(), named.data(), static_cast<UINT>(args.size()), static_cast<UINT>(named.size())};
        switch (in_.below(16)) {
        case 0: params.cNamedArgs = params.cArgs + 1; break;  // more names than arguments
        case 1: if (params.cArgs) params.rgvarg = nullptr; break;
        case 2: params.cArgs = in_.flag() ? kMaxArguments * 16 : in_.raw<UINT>(); params.rgvarg = nullptr; break;
        default: break;
        }
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO exception{};
        UINT argErr = kArgErrUntouched;
        const bool wantsResult = in_.below(8) != 0;
        const bool wantsException = in_.below(8) != 0;

        storage.seal();
        const HRESULT code = com::invokeThroughDispatcher(target, faces_, scene_.regional, id, flags,
                                                          in_.below(16) == 0 ? nullptr : &params,
                                                          wantsResult ? &result : nullptr,
                                                          wantsException ? &exception : nullptr, &argErr);

        if (code == DISP_E_EXCEPTION) {
            if (!wantsException) fail("DISP_E_EXCEPTION without an exception to fill");
            if (!FAILED(exception.scode)) fail("a member's exception carries a success code");
            if (exception.scode == E_FAIL) fail("a member failed with an unexpected exception");
        } else if (!invokeMayAnswer(code) && (wantsException || !FAILED(code) || code == E_FAIL)) {
            fail("Invoke answered with a code it may not give");
        }
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        if (argErr != kArgErrUntouched && argErr >= args.size()) fail("argErr names an argument that is not there");
        if (code != S_OK && storage.changed()) fail("a refused call changed what the client's references point at");

        if (code == S_OK && (result.vt == VT_DISPATCH || result.vt == VT_UNKNOWN)) {
            if (const std::optional<Ref<Object>> object = faces_.objectOf(result.punkVal)) keep(*object);
            else fail("a result's object is not one of the server's");
        }
        if (FAILED(VariantClear(&result))) fail("the result cannot be freed");
    }

    ServerScene& scene_;
    FuzzInput& in_;
    CountedFaces faces_;  // outlives every call's storage; checks that every face went
    ClientObjects objects_;
    std::deque<Variant> referenced_;
    VariantSource values_;
};

}  // namespace

void runComDispatchInput(std::span<const std::uint8_t> bytes)
{
    FuzzInput in(bytes);
    ServerScene scene(in);
    ComClient client(scene, in);
    client.startSession();
    for (int step = 0; step < kMaxSteps && !in.empty(); ++step) client.step();
}

}  // namespace corvane::fuzz
