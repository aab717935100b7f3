#include "LiveServer.h"

#include "automation/AutomationError.h"

namespace corvane::bench {
namespace {

// No database file: every tag is a missing one, which costs the same lookup.
class NoDatabase final : public TagDataLayer {
    class Connection final : public TagConnection {
    public:
        void open(const std::u16string&) override { throw automation::AutomationError(-1, u"no database"); }
        bool isOpen() const override { return false; }
        std::vector<std::u16string> tableNames() const override { return {}; }
        std::unique_ptr<TagRecordset> createRecordset() override { return nullptr; }
        void close() override {}
    };

public:
    std::unique_ptr<TagConnection> createConnection() override { return std::make_unique<Connection>(); }
};

}  // namespace

LiveServer::LiveServer()
    : dataLayer(std::make_unique<NoDatabase>()),
      tagStore(std::make_unique<TagStore>(*dataLayer, u"/nowhere", automation::FixedRegionalSettings::english())),
      process(std::make_unique<ServerProcess>(console, *tagStore, clock, automation::FixedRegionalSettings::english()))
{
    try {
        tagStore->LoadTagTable();
    } catch (const automation::AutomationError&) {
        // A failed load is a valid tag store: every lookup gives -999 and 0.
    }
}

LiveServer::~LiveServer()
{
    process.reset();
}

}  // namespace corvane::bench
