#pragma once

#include "server/TagDataLayer.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvane::tagdb {

// The command line of corvanesim-tagdb:
//   create OUT.mdb --from TAGS.csv [options]   a fresh database from CSV
//   dump IN.mdb [TABLE]                        a table as CSV (default "Default")
//   list IN.mdb                                the user tables, one a line
// dump and list read through `dataLayer`, as the server does. Messages go to
// `err`; the result is the exit code (0 done, 1 failed, 2 bad usage).
int runTagDb(const std::vector<std::string>& args, TagDataLayer& dataLayer, std::ostream& out, std::ostream& err);

}  // namespace corvane::tagdb
