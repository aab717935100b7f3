#pragma once

#include "TagReadAnswer.h"
#include "server/TagDataLayer.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::jet {

// What the reader process (corvanesim-tagread) is asked, by its arguments
// (UTF-8):
//   FILE                 the user tables of a tag database
//   FILE TABLE INDEX     one table whole, through an index
//   --dump FILE TABLE    one table as CSV, for the tool's dump
// and its answer, read through `connection` and, for a dump, `dump` (called
// once the connection is open). Nothing for arguments of another shape; the
// data layer's errors and want of memory become the answer's failure.
std::optional<TagReadAnswer> answerRequest(const std::vector<std::string>& arguments, TagConnection& connection,
                                           const std::function<std::string(std::u16string_view table)>& dump);

}  // namespace corvane::jet
