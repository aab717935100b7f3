#pragma once

#include "MdbConnection.h"
#include "server/TagDataLayer.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace corvane::jet {

class MdbRecordset final : public TagRecordset {
public:
    explicit MdbRecordset(std::shared_ptr<MdbSession> session);

    void open(std::u16string_view table, std::u16string_view index) override;
    bool isOpen() const override { return open_; }
    void moveFirst() override;
    bool eof() const override;
    std::vector<std::u16string> fieldNames() const override;
    automation::Variant field(std::u16string_view name) const override;
    void moveNext() override;
    void close() override;

private:
    void requireOpen() const;

    std::shared_ptr<MdbSession> session_;
    bool open_ = false;
    std::vector<std::u16string> names_;
    std::vector<std::vector<automation::Variant>> rows_;
    std::size_t position_ = 0;
};

}  // namespace corvane::jet
