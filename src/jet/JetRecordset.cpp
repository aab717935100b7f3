#include "JetRecordset.h"

#include "JetTableScan.h"
#include "server/DataLayerErrors.h"

namespace corvane::jet {

void JetRecordset::open(std::u16string_view table, std::u16string_view index)
{
    requireClosed();
    if (!session_->open) throw data_layer::connectionUnusable();
    JetTableScan scan(session_->file, session_->path, session_->catalog, table, index);
    fill(scan, session_->path);
}

}  // namespace corvane::jet
