// Clients calling the object model through the dispatcher: random members,
// invoke kinds, argument counts, named arguments and values of every type,
// on real objects over the in-memory doubles, with the operator's settings
// changing in between.
#include "Entries.h"

#include "ClientObjects.h"
#include "ServerScene.h"
#include "VariantSource.h"
#include "automation/AutomationError.h"
#include "automation/Dispatcher.h"
#include "automation/Enumerator.h"
#include "automation/HResult.h"
#include "server/ClassFactory.h"
#include "server/SimServer.h"
#include "session/Data.h"
#include "typelib/TypeLibrary.h"

#include <deque>
#include <vector>

namespace corvane::fuzz {
namespace {

using namespace automation;

constexpr int kMaxSteps = 48;
constexpr std::uint32_t kMaxArguments = 6;

bool isDispatchRefusal(std::int32_t code)
{
    switch (code) {
    case hresult::kMemberNotFound: case hresult::kBadParamCount: case hresult::kParamNotOptional:
    case hresult::kParamNotFound: case hresult::kTypeMismatch: case hresult::kOverflow:
        return true;
    default:
        return false;
    }
}

// What a refused call must leave as it was.
struct VisibleState {
    std::int32_t gridRows;
    SessionSettings settings;
    std::u16string sampleCount;

    bool operator==(const VisibleState& other) const
    {
        const auto same = [](double a, double b) { return a == b || (a != a && b != b); };
        return gridRows == other.gridRows && settings.SampleFrequency == other.settings.SampleFrequency &&
               same(settings.MinimumConfidence, other.settings.MinimumConfidence) &&
               settings.SampleMethod == other.settings.SampleMethod && same(settings.StartTime, other.settings.StartTime) &&
               same(settings.EndTime, other.settings.EndTime) && sampleCount == other.sampleCount;
    }
};

class Client {
public:
    Client(ServerScene& scene, FuzzInput& in)
        : scene_(scene), in_(in), objects_(in), values_(in, referenced_, objects_.held())
    {
    }

    // A session with one tag, and the process-wide SimServer.
    void startSession()
    {
        objects_.startSession(scene_.process);
        keep(scene_.process.ServerInstance);
    }

    void step()
    {
        switch (in_.below(16)) {
        case 0: create(typelib::kDataClass); break;
        case 1: create(typelib::kSimServerClass); break;
        case 2: lookUpNames(); break;
        case 3: enumerate(); break;
        case 4: objects_.releaseOne(); break;
        case 5: scene_.operatorStep(in_); break;
        default: call(); break;
        }
        referenced_.clear();
    }

private:
    void keep(const Ref<Object>& object) { objects_.keep(object); }

    void create(const ClassDescription& coclass)
    {
        try {
            keep(CreateInstance(scene_.process, coclass));
        } catch (const AutomationError&) {
            // The tag database failed to load; the client hears of it.
        }
    }

    void call()
    {
        DispatchObject* target = objects_.pickDispatchTarget();
        if (!target) return create(typelib::kDataClass);
        const InterfaceDescription& interface = target->dispatchBinding().description;

        DispId id = 0;
        std::uint16_t flags = 0;
        std::size_t paramCount = 0;
        if (in_.below(8) != 0) {
            const MemberDescription& member = interface.members[in_.below(static_cast<std::uint32_t>(interface.members.size()))];
            id = member.id;
            flags = static_cast<std::uint16_t>(1u << static_cast<unsigned>(member.kind));
            if (member.kind == MemberKind::PropertyGet && in_.flag()) flags |= kInvokeMethod;  // as clients call gets
            paramCount = member.params.size();
        } else {
            constexpr DispId kIds[] = {kDispIdValue, kDispIdNewEnum, kDispIdPropertyPut, kDispIdUnknown, 0x60030000};
            id = in_.flag() ? kIds[in_.below(std::size(kIds))] : in_.raw<DispId>();
            flags = in_.raw<std::uint16_t>();
        }

        std::size_t argCount = paramCount;
        if (in_.below(4) == 0) argCount = in_.below(kMaxArguments + 1);
        std::vector<Variant> args;
        for (std::size_t i = 0; i < argCount; ++i) args.push_back(values_.argument());

        std::vector<DispId> named;
        if (flags & (kInvokePropertyPut | kInvokePropertyPutRef)) {
            if (in_.below(4) != 0) named.push_back(kDispIdPropertyPut);
        } else if (!args.empty() && in_.below(4) == 0) {
            const std::uint32_t count = in_.below(static_cast<std::uint32_t>(args.size()) + 2);
            for (std::uint32_t i = 0; i < count; ++i)
                named.push_back(in_.flag() ? static_cast<DispId>(in_.below(4)) - 1 : in_.raw<DispId>());
        }

        const VisibleState before = visibleState();
        const InvokeOutcome outcome = dispatch::invoke(*target, id, flags, args, named, scene_.regional);
        check(outcome, before);
        if (outcome.hresult == hresult::kOk && outcome.result.isObject()) keep(outcome.result.object());
    }

    void check(const InvokeOutcome& outcome, const VisibleState& before)
    {
        if (outcome.hresult == hresult::kOk) return;
        if (outcome.hresult == hresult::kException) {
            if (!hresult::failed(outcome.exception.code)) fail("a member's error carries a success code");
            if (outcome.exception.code == hresult::kFail) fail("a member failed with an unexpected exception");
            return;
        }
        if (!isDispatchRefusal(outcome.hresult)) fail("the dispatcher answered with a code it never sends");
        if (!(visibleState() == before)) fail("a refused call changed the server's state");
    }

    VisibleState visibleState() const
    {
        return {scene_.console.gridData.rows(), scene_.process.SessionSettings, scene_.console.text(Control::labelNumSamples)};
    }

    void lookUpNames()
    {
        DispatchObject* target = objects_.pickDispatchTarget();
        if (!target) return;
        std::vector<std::u16string> names;
        const std::uint32_t count = in_.below(4);
        for (std::uint32_t i = 0; i < count; ++i) names.push_back(values_.text());
        std::vector<DispId> ids;
        const std::int32_t result = dispatch::getIDsOfNames(target->dispatchBinding().description, names, ids);
        if (result != hresult::kOk && result != hresult::kUnknownName) fail("name lookup answered with a stray code");
        if (ids.size() != names.size()) fail("name lookup did not answer every name");
    }

    void enumerate()
    {
        for (const Ref<Object>& object : objects_.held()) {
            auto* enumerator = dynamic_cast<Enumerator*>(object.get());
            if (!enumerator) continue;
            switch (in_.below(4)) {
            case 0: {
                const std::uint32_t wanted = in_.flag() ? in_.below(4) : in_.raw<std::uint32_t>();
                const std::vector<Variant> items = enumerator->Next(wanted);
                if (items.size() > wanted) fail("an enumerator gave more items than asked for");
                for (const Variant& item : items) keep(item.object());
                break;
            }
            case 1: enumerator->Skip(in_.raw<std::uint32_t>()); break;
            case 2: enumerator->Reset(); break;
            default: keep(enumerator->Clone()); break;
            }
            return;
        }
    }

    ServerScene& scene_;
    FuzzInput& in_;
    ClientObjects objects_;
    std::deque<Variant> referenced_;
    VariantSource values_;
};

}  // namespace

void runDispatchInput(std::span<const std::uint8_t> bytes)
{
    FuzzInput in(bytes);
    ServerScene scene(in);
    Client client(scene, in);
    client.startSession();
    for (int step = 0; step < kMaxSteps && !in.empty(); ++step) client.step();
}

}  // namespace corvane::fuzz
