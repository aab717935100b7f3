#pragma once

#include "PageFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::jet {

// A table as the catalog (MSysObjects) lists it.
struct CatalogTable {
    std::u16string name;
    std::uint32_t definitionPage = 0;
    std::int32_t flags = 0;

    // System tables (MSys...) and the engine's hidden ones carry these flags.
    bool userTable() const { return (static_cast<std::uint32_t>(flags) & 0x80000002u) == 0; }
};

// Every table of the catalog, system tables too, in catalog order: the
// catalog's rows of type 1, their definition page in the low three bytes of
// the row's Id. Raises MalformedFile for a damaged catalog, or one without
// the columns Id, Name, Type and Flags.
std::vector<CatalogTable> readCatalog(PageFile& file);

// The first table named `name` (case ignored), or none.
const CatalogTable* findTable(const std::vector<CatalogTable>& catalog, std::u16string_view name);

}  // namespace corvane::jet
