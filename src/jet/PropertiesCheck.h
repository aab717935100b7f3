#pragma once

#include "PageFile.h"

#include <cstdint>
#include <span>

namespace corvane::jet {

// A block of object properties, as the catalog keeps them in each row's
// LvProp long value: a signature ("MR2\0"), then chunks (u32 length with
// itself, u16 type), one of names (u16 length, UTF-16 text each) and others
// of values: a u32 header length with itself, u16 length and name of the
// object, then records (u16 length with itself, u8 flag, u8 type, u16 index
// of its name, u16 length of its value, the value). libmdb parses every
// block of the catalog when it opens a file and steps through them by these
// lengths alone: a length of zero leaves it there for ever. Raises
// MalformedFile for a length that does not step forward or leaves its
// chunk, and for a name index beyond the names. A block with another
// signature is left alone: libmdb does not parse it.
void checkPropertyBlock(std::span<const std::uint8_t> block);

// Every property block of the catalog's rows; raises MalformedFile for one
// that is damaged, or whose long value is.
void checkCatalogProperties(PageFile& file);

}  // namespace corvane::jet
