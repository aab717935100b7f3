#pragma once

#include "automation/TypeInfo.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::client {

// Dispatch identifiers by interface and member name (letter case ignored), so
// that each name costs one GetIDsOfNames per interface and connection.
class NameCache {
public:
    std::optional<automation::DispId> find(std::u16string_view interfaceName, std::u16string_view name) const;
    void store(std::u16string_view interfaceName, std::u16string_view name, automation::DispId id);

private:
    std::map<std::u16string, std::map<std::u16string, automation::DispId>, std::less<>> ids_;
};

}  // namespace corvane::client
