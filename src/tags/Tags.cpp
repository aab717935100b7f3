#include "Tags.h"

#include "automation/Convert.h"
#include "automation/Enumerator.h"
#include "server/OperatorConsole.h"
#include "server/ServerProcess.h"
#include "server/TagStore.h"
#include "tags/TagGridRows.h"

#include <algorithm>

namespace corvane {

using automation::Ref;
using automation::Variant;

Ref<Tag> Tags::Add(const std::u16string& strTag, const Variant& varKey)
{
    Ref<Tag> tag = automation::makeRef<Tag>(process_);
    tag->Define(strTag);

    const Variant& key = varKey.dereferenced();
    items_.add(tag, key.isMissing() ? strTag : automation::toText(key, process_.regional));

    std::int32_t confidence = 0;
    tag->setPV(process_.tagStore.LookupTag(strTag, confidence));
    tag->setConfidence(confidence);

    tag_grid_rows::append(process_.console.grid(), strTag, tag->PV(), tag->Confidence(), process_.regional);
    return tag;
}

void Tags::Delete(const Variant& Index)
{
    const Ref<Tag> tag = items_.item(Index);
    tag_grid_rows::removeFirstNamed(process_.console.grid(), tag->TagName());
    items_.remove(Index);
}

void Tags::Remove(const Variant& varTag)
{
    const std::u16string name = automation::toText(varTag, process_.regional);
    tag_grid_rows::removeFirstNamed(process_.console.grid(), name);
    items_.removeByKey(name);
}

Ref<automation::Object> Tags::NewEnum()
{
    auto walk = [self = Ref<Tags>(this)](std::uint64_t& after, std::uint32_t count) {
        std::vector<Variant> tags;
        tags.reserve(std::min<std::size_t>(count, static_cast<std::size_t>(self->items_.count())));
        after = self->items_.forEachAfter(after, count, [&](const Ref<Tag>& tag) { tags.push_back(Variant::dispatch(tag)); });
        return tags;
    };
    return Ref<automation::Object>(new automation::Enumerator(std::move(walk), 0));
}

void Tags::RemoveAll()
{
    process_.console.grid().setRows(1);
    // Emptied in place rather than replaced: enumerators hold on to it.
    items_.clear();
}

}  // namespace corvane
