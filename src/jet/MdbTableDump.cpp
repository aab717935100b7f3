#include "MdbTableDump.h"

#include "MdbTableScan.h"
#include "TableDump.h"

namespace corvane::jet {

std::string dumpTable(const MdbSession& session, std::u16string_view table)
{
    MdbTableScan scan(session, table, u"");
    return dumpTable(scan, session.path);
}

}  // namespace corvane::jet
