#pragma once

#include "JetConnection.h"
#include "SnapshotRecordset.h"

#include <memory>
#include <string_view>

namespace corvane::jet {

// Reads a whole table with our own reader when it opens.
class JetRecordset final : public SnapshotRecordset {
public:
    explicit JetRecordset(std::shared_ptr<const JetSession> session) : session_(std::move(session)) {}

    void open(std::u16string_view table, std::u16string_view index) override;

private:
    std::shared_ptr<const JetSession> session_;
};

}  // namespace corvane::jet
