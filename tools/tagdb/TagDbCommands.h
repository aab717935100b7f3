#pragma once

#include "TagReader.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvane::tagdb {

// The command line of corvanesim-tagdb:
//   create OUT.mdb --from TAGS.csv [options]   a fresh database from CSV
//   dump IN.mdb [TABLE]                        a table as CSV (default "Default")
//   list IN.mdb                                the user tables, one a line
// dump and list read through `reader`, the reader process the server reads
// its database in, with the same bounds. Messages go to `err`; the result
// is the exit code (0 done, 1 failed, 2 bad usage).
int runTagDb(const std::vector<std::string>& args, const jet::TagReader& reader, std::ostream& out, std::ostream& err);

}  // namespace corvane::tagdb
