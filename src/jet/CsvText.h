#pragma once

#include <string>
#include <string_view>

namespace corvane::jet {

// A CSV field for output (RFC 4180): quoted, with quotes doubled, when
// `quote` is set or the text holds a comma, a quote or a line break.
void appendCsvField(std::string& out, std::string_view text, bool quote);

}  // namespace corvane::jet
