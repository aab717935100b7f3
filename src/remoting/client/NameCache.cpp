#include "NameCache.h"

#include "automation/CaseFold.h"

namespace corvane::client {

std::optional<automation::DispId> NameCache::find(std::u16string_view interfaceName, std::u16string_view name) const
{
    const auto names = ids_.find(interfaceName);
    if (names == ids_.end()) return std::nullopt;
    const auto found = names->second.find(automation::foldCase(name));
    if (found == names->second.end()) return std::nullopt;
    return found->second;
}

void NameCache::store(std::u16string_view interfaceName, std::u16string_view name, automation::DispId id)
{
    ids_[std::u16string(interfaceName)][automation::foldCase(name)] = id;
}

}  // namespace corvane::client
