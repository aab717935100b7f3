// The operations of a stress client on its sessions and their tag collections.
#include "Workload.h"

#include "CheckFailure.h"
#include "KnownTagNames.h"

#include <algorithm>

namespace corvane::stress {

using automation::Variant;
using client::ObjectRef;
using client::toUtf8;

namespace {

constexpr std::size_t kMostSessions = 3;
constexpr std::size_t kMostTagsPerSession = 40;

bool holds(const HeldSession& session, std::u16string_view key)
{
    return std::any_of(session.expected.begin(), session.expected.end(), [&](const HeldTag& t) { return t.key == key; });
}

void checkCount(const HeldSession& session, const char* when)
{
    const std::int32_t count = session.tags.count();
    check(count == std::int32_t(session.expected.size()),
          std::string("Count is ") + std::to_string(count) + " " + when + ", expected " + std::to_string(session.expected.size()));
}

}  // namespace

void Workload::newSession()
{
    if (sessions_.size() >= kMostSessions) return dropSession();
    client::Data data = client::Data::create(connection_);
    client::Tags tags = data.tags();
    check(tags.count() == 0, "a new session has tags");
    sessions_.push_back({std::move(data), std::move(tags), {}});
}

void Workload::dropSession()
{
    if (sessions_.empty()) return;
    sessions_.erase(sessions_.begin() + std::ptrdiff_t(below(sessions_.size())));
}

void Workload::addTag()
{
    HeldSession& session = someSession();
    if (session.expected.size() >= kMostTagsPerSession) return removeTag();

    HeldTag added{.name = {}, .key = {}, .tag = client::Tag(ObjectRef()), .written = {}, .known = false};
    const std::u16string_view known = kKnownTagNames[below(kKnownTagNames.size())];
    if (chance(0.7) && !holds(session, known)) {
        added.name = std::u16string(known);
        added.known = true;
    } else {
        added.name = u"STRESS." + clientTag_ + u"." + client::fromUtf8(std::to_string(++namesMade_));
    }
    const bool ownKey = chance(0.2);
    added.key = ownKey ? u"key-" + client::fromUtf8(std::to_string(++namesMade_)) : added.name;
    added.tag = ownKey ? session.tags.add(added.name, Variant(added.key)) : session.tags.add(added.name);

    check(added.tag.tagName() == added.name, "TagName of " + toUtf8(added.name) + " is " + toUtf8(added.tag.tagName()));
    const float pv = added.tag.pv();
    const std::int32_t confidence = added.tag.confidence();
    if (added.known)
        check(pv != -999.0f && confidence > 0 && confidence <= 100,
              toUtf8(added.name) + " is in the database but reads " + std::to_string(pv) + ", confidence " + std::to_string(confidence));
    else
        check(pv == -999.0f && confidence == 0,
              toUtf8(added.name) + " is no tag of the database but reads " + std::to_string(pv) + ", confidence " + std::to_string(confidence));
    session.expected.push_back(std::move(added));
    checkCount(session, "after Add");
}

void Workload::removeTag()
{
    HeldSession* session = nullptr;
    HeldTag* tag = someTag(session);
    if (!tag) return addTag();
    const std::size_t position = std::size_t(tag - session->expected.data());
    const std::size_t how = below(3);
    if (how == 0 && tag->key == tag->name)
        session->tags.remove(Variant(tag->name));
    else if (how == 1)
        session->tags.deleteItem(Variant(std::int32_t(position + 1)));
    else
        session->tags.deleteItem(Variant(tag->key));
    session->expected.erase(session->expected.begin() + std::ptrdiff_t(position));
    checkCount(*session, "after a removal");
}

void Workload::lookUpTag()
{
    HeldSession* session = nullptr;
    const HeldTag* tag = someTag(session);
    if (!tag) return addTag();
    const std::size_t position = std::size_t(tag - session->expected.data());
    const client::Tag found = chance(0.5) ? session->tags.item(Variant(tag->key))
                                          : session->tags.item(Variant(std::int32_t(position + 1)));
    check(found.object() == tag->tag.object(),
          "Item of " + toUtf8(tag->key) + " is " + found.object().path() + ", not " + tag->tag.object().path());
    check(found.tagName() == tag->name, "Item of " + toUtf8(tag->key) + " is named " + toUtf8(found.tagName()));
}

void Workload::countTags() { checkCount(someSession(), "when asked"); }

void Workload::enumerateTags()
{
    const HeldSession& session = someSession();
    std::size_t position = 0;
    for (const client::Tag& tag : session.tags) {
        check(position < session.expected.size(), "the enumerator gives more tags than were added");
        check(tag.object() == session.expected[position].tag.object(),
              "the enumerator's tag " + std::to_string(position) + " is " + tag.object().path());
        ++position;
    }
    check(position == session.expected.size(), "the enumerator gives " + std::to_string(position) + " tags");
}

void Workload::holdEnumeratorHalfWalked()
{
    const HeldSession& session = someSession();
    ObjectRef enumerator = session.tags.newEnum();
    client::Enumeration items(enumerator);
    std::size_t walked = 0;
    for (auto it = items.begin(); it != items.end() && walked < session.expected.size() / 2; ++it) ++walked;
    // The enumerator holds its snapshot of the collection while this client holds it.
    extras_.push_back(std::move(enumerator));
}

void Workload::removeAllTags()
{
    // Clears the window's grid for every session too; rare, as clients do.
    if (!chance(0.2)) return countTags();
    HeldSession& session = someSession();
    session.tags.removeAll();
    session.expected.clear();
    checkCount(session, "after RemoveAll");
}

}  // namespace corvane::stress
