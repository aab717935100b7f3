#pragma once

#include "PageFile.h"
#include "StoredField.h"

#include <string>

namespace corvane::jet {

// A stored field as the dump shows it, appended as one CSV field: Null as
// nothing; Boolean as 1 or 0; whole numbers, Currency and Decimal exactly
// (a Decimal with every digit of its scale); Single and Double in the
// shortest form that reads back as the same value; dates as
// yyyy-mm-dd hh:mm:ss (to the nearest second; a value outside the years
// 100 to 9999 as its serial number); Text and Memo quoted, memos whole; a
// GUID quoted in braces; Binary, OLE and types without a text form as
// "(N bytes) " and the bytes in hexadecimal. Raises MalformedFile for a
// damaged long value.
void appendFieldText(std::string& out, const StoredField& field, PageFile& file);

}  // namespace corvane::jet
