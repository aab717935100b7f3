#pragma once

#include "PageFile.h"
#include "StoredField.h"
#include "automation/Variant.h"

namespace corvane::jet {

// A stored field as the data layer hands it out, typed as the data-access
// objects type it: Boolean, Byte, Integer, Long, Currency, Single, Double and
// Date as themselves; Text and Memo (whole, read from `file`) as text; a GUID
// as its text in braces; Binary, OLE and types without a number form as an
// array of bytes. A Decimal has no Automation type here: it comes as the
// Currency of the same value when that is exact, otherwise as the nearest
// Double, so that it converts like any other number. Null for a Null field
// and for a fixed-size field of the wrong size. Raises MalformedFile for a
// damaged long value.
automation::Variant fieldValue(const StoredField& field, PageFile& file);

// A GUID's usual text: {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}; nothing for
// bytes that are not 16.
std::string guidText(std::span<const std::uint8_t> bytes);

}  // namespace corvane::jet
