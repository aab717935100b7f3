#pragma once

#include "MdbDataLayer.h"
#include "TestFiles.h"
#include "automation/AutomationError.h"
#include "automation/RegionalSettings.h"
#include "server/TagStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvane::test {

// A tag store over the real data layer, whose executable folder is a fresh
// temporary folder. Databases are written there by corvanesim-tagdb; every
// test ends by checking that the file is byte for byte what was written.
class TagStoreOnFiles : public ::testing::Test {
protected:
    TagStoreOnFiles();
    void TearDown() override;

    // Writes `csv` and turns it into Corvane.mdb with the tool's `options`.
    void writeDatabase(const std::string& csv, const std::vector<std::string>& options = {});
    std::filesystem::path databaseFile() const { return folder_ / "Corvane.mdb"; }

    std::int32_t entries() const { return store_.tagTable() ? store_.tagTable()->count() : -1; }
    float lookup(std::u16string_view name, std::int32_t& confidence) const { return store_.LookupTag(name, confidence); }

    TempFolder folder_;
    jet::MdbDataLayer dataLayer_;
    TagStore store_;

private:
    std::optional<std::uint64_t> writtenHash_;
};

// The error `action` raises; a test failure when it raises none.
automation::AutomationError errorOf(const std::function<void()>& action);

}  // namespace corvane::test
