// The operations of a stress client on references and on the emulator object.
#include "Workload.h"

#include "CheckFailure.h"

namespace corvane::stress {

using automation::Variant;
using client::ObjectRef;

namespace {

constexpr std::size_t kMostExtras = 30;

}  // namespace

void Workload::addOrDropReference()
{
    if (!extras_.empty() && (extras_.size() >= kMostExtras || chance(0.5))) {
        extras_.erase(extras_.begin() + std::ptrdiff_t(below(extras_.size())));
        return;
    }
    HeldSession* session = nullptr;
    const HeldTag* tag = someTag(session);
    // A copy is an AddRef of this client's; it goes with a Release.
    switch (below(3)) {
    case 0: extras_.push_back(session->data.object()); break;
    case 1: extras_.push_back(session->tags.object()); break;
    default: extras_.push_back(tag ? tag->tag.object() : session->tags.object()); break;
    }
}

void Workload::callByName()
{
    HeldSession& session = someSession();
    const Variant count = session.tags.object().get("count");
    check(count.type() == automation::VarType::I4 && count.i4() == std::int32_t(session.expected.size()),
          "Count by name is not the number of tags");
    session.data.object().get("SampleFrequency");
    if (!session.expected.empty()) {
        const HeldTag& tag = session.expected.front();
        const ObjectRef first = ObjectRef::from(session.tags.object().call("Item", {Variant(std::int32_t(1))}));
        check(first == tag.tag.object(), "Item 1 by name is not the first tag");
    }
}

void Workload::createSimServer()
{
    const client::SimServer server = client::SimServer::create(connection_);
    // A new emulator object holds no session until it is given one, which it
    // then holds as long as it lives.
    check(!server.data().object(), "a new emulator object already holds a session");
    if (!sessions_.empty() && chance(0.5)) {
        const client::Data& given = sessions_[below(sessions_.size())].data;
        server.setData(given);
        check(server.data().object() == given.object(), "the emulator object holds another session than it was given");
    }
    // Kept, its last release asks the operator whether to exit when this
    // client drops it or ends.
    if (chance(0.5)) extras_.push_back(server.object());
}

}  // namespace corvane::stress
