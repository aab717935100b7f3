#pragma once

#include "ErrorNumber.h"
#include "FakeConsole.h"
#include "MemoryDataLayer.h"
#include "TextHelpers.h"
#include "automation/AutomationError.h"
#include "automation/Clock.h"
#include "automation/RegionalSettings.h"
#include "server/ServerProcess.h"
#include "server/TagStore.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvane::testing {

inline constexpr char16_t kExecutableFolder[] = u"/opt/corvane";
inline constexpr char16_t kDatabasePath[] = u"/opt/corvane/Corvane.mdb";

// A server process over in-memory doubles: the console, a tag database with a
// few tags, a clock standing at 6 December 2026 10:00:00, English settings.
class ObjectModelFixture : public ::testing::Test {
protected:
    explicit ObjectModelFixture(const automation::RegionalSettings& settings = automation::FixedRegionalSettings::english());

    static int errorNumberOf(const std::function<void()>& call) { return testing::errorNumberOf(call); }

    FakeConsole console;
    MemoryDataLayer dataLayer;
    automation::SettableClock clock{{2026, 12, 6, 10, 0, 0}};
    const automation::RegionalSettings* regional;
    TagStore tagStore{dataLayer, kExecutableFolder, *regional};
    ServerProcess process{console, tagStore, clock, *regional};
};

// The same with comma-decimal (German) regional settings.
class GermanObjectModelFixture : public ObjectModelFixture {
protected:
    GermanObjectModelFixture() : ObjectModelFixture(automation::FixedRegionalSettings::german()) {}
};

}  // namespace corvane::testing
