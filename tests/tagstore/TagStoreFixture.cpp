#include "TagStoreFixture.h"

#include "JetText.h"

namespace corvane::test {

TagStoreOnFiles::TagStoreOnFiles()
    : store_(dataLayer_, jet::fromUtf8(folder_.path().string()), automation::FixedRegionalSettings::english())
{
}

void TagStoreOnFiles::TearDown()
{
    store_.CloseTagStore();
    if (writtenHash_) {
        EXPECT_EQ(fileHash(databaseFile()), *writtenHash_) << "the tag database changed";
    }
}

void TagStoreOnFiles::writeDatabase(const std::string& csv, const std::vector<std::string>& options)
{
    const auto csvFile = folder_ / "tags.csv";
    writeFile(csvFile, csv);
    std::string command = shellQuote(CORVANE_TAGDB) + " create " + shellQuote(databaseFile().string()) + " --from " +
                          shellQuote(csvFile.string());
    for (const std::string& option : options) command += " " + shellQuote(option);
    const CommandResult result = runCommand(command + " 2>&1");
    ASSERT_EQ(result.exitCode, 0) << result.output;
    writtenHash_ = fileHash(databaseFile());
}

automation::AutomationError errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const automation::AutomationError& error) {
        return error;
    }
    ADD_FAILURE() << "no error was raised";
    return automation::AutomationError(0, u"");
}

}  // namespace corvane::test
