#include "ClientObjects.h"

#include "automation/AutomationError.h"
#include "session/Data.h"
#include "tags/TagDefinition.h"
#include "tags/Tags.h"

namespace corvane::fuzz {

using namespace automation;

namespace {

constexpr std::size_t kMostHeld = 32;

}  // namespace

void ClientObjects::keep(const Ref<Object>& object)
{
    if (object && objects_.size() < kMostHeld) objects_.push_back(object);
}

void ClientObjects::releaseOne()
{
    if (objects_.empty()) return;
    objects_.erase(objects_.begin() + in_.below(static_cast<std::uint32_t>(objects_.size())));
}

DispatchObject* ClientObjects::pickDispatchTarget()
{
    std::vector<DispatchObject*> targets;
    for (const Ref<Object>& object : objects_)
        if (DispatchObject* target = object->asDispatch()) targets.push_back(target);
    if (targets.empty()) return nullptr;
    return targets[in_.below(static_cast<std::uint32_t>(targets.size()))];
}

void ClientObjects::startSession(ServerProcess& process)
{
    try {
        const Ref<Data> session = Data::Create(process);
        keep(session);
        keep(session->Tags());
        const Ref<Tag> tag = session->Tags()->Add(u"TIC101.PV", Variant::missing());
        keep(tag);
        keep(tag->TagDefinition());
    } catch (const AutomationError&) {
    }
}

}  // namespace corvane::fuzz
