#include "MdbRecordset.h"

#include "MdbTableScan.h"

namespace corvane::jet {

MdbRecordset::MdbRecordset(std::shared_ptr<MdbSession> session) : session_(std::move(session)) {}

void MdbRecordset::open(std::u16string_view tableName, std::u16string_view indexName)
{
    requireClosed();
    MdbTableScan scan(*session_, tableName, indexName);
    fill(scan, session_->path);
}

}  // namespace corvane::jet
