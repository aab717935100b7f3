#pragma once

#include "MdbConnection.h"
#include "SnapshotRecordset.h"

#include <memory>
#include <string_view>

namespace corvane::jet {

// Reads a whole table through libmdb when it opens.
class MdbRecordset final : public SnapshotRecordset {
public:
    explicit MdbRecordset(std::shared_ptr<MdbSession> session);

    void open(std::u16string_view table, std::u16string_view index) override;

private:
    std::shared_ptr<MdbSession> session_;
};

}  // namespace corvane::jet
