// Damaged files cost the tool and the server a clean error, never a hang
// and never a flood of messages: libmdb runs in the reader process, what it
// writes to its standard error is summarised in a few lines, and a reader
// that floods it is stopped.
#include "ChildMessages.h"
#include "EngineSamples.h"
#include "ExternalReaders.h"
#include "JetText.h"
#include "TagReader.h"
#include "TestFiles.h"
#include "automation/AutomationError.h"
#include "server/DataLayerErrors.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

constexpr std::size_t kMessageBound = 10 * 1024;

TEST(ReaderMessages, AreSummarisedInAFewLinesHoweverManyThereWere)
{
    jet::ChildMessages messages;
    for (int i = 0; i < 100000; ++i) messages.add("Warning: mdb_col_to_string called on unsupported data type 0.\n");
    for (int i = 0; i < 50; ++i) messages.add("offset " + std::to_string(i) + " is beyond EOF\n");
    messages.add("a last line without its break");
    messages.finish();
    EXPECT_EQ(messages.lines(), 100051u);
    const std::string summary = messages.summary();
    EXPECT_LT(summary.size(), 2048u);
    EXPECT_NE(summary.find("\"Warning: mdb_col_to_string called on unsupported data type 0.\" (100000 times)"), std::string::npos)
        << summary;
    EXPECT_NE(summary.find("and 44 other lines"), std::string::npos) << summary;
    EXPECT_TRUE(jet::ChildMessages().summary().empty());
}

TEST(ReaderMessages, KeepALineOfAnyLengthShortAndItsControlCharactersOut)
{
    jet::ChildMessages messages;
    messages.add(std::string(100000, 'x'));
    messages.add("\x1b[31m\n");
    messages.finish();
    EXPECT_EQ(messages.lines(), 1u);
    EXPECT_LT(messages.summary().size(), 400u);
    EXPECT_EQ(messages.summary().find('\x1b'), std::string::npos);
}

struct Damaged {
    std::string name;
    std::string bytes;
};

// Each sample cut short (at a page boundary and inside a page), and with
// single bytes of its catalog flipped.
std::vector<Damaged> damagedSamples()
{
    std::vector<Damaged> damaged;
    for (const auto& sample : sampleFiles()) {
        const std::string bytes = readFile(sample);
        const std::string name = sample.filename().string();
        damaged.push_back({name + " cut in half", bytes.substr(0, bytes.size() / 2 / 4096 * 4096)});
        damaged.push_back({name + " cut inside a page", bytes.substr(0, bytes.size() / 3 + 1000)});
        for (std::size_t at = 2 * 4096; at < 3 * 4096; at += 509) {
            std::string flipped = bytes;
            flipped[at] = static_cast<char>(~flipped[at]);
            damaged.push_back({name + " with catalog byte " + std::to_string(at) + " flipped", flipped});
        }
    }
    return damaged;
}

TEST(DamagedSamples, CostTheToolACleanErrorWithFewMessages)
{
    TempFolder folder;
    const auto file = folder / "damaged.mdb";
    std::size_t refused = 0;
    for (const Damaged& damaged : damagedSamples()) {
        SCOPED_TRACE(damaged.name);
        writeFile(file, damaged.bytes);
        for (const std::vector<std::string>& command : {std::vector<std::string>{"list", file.string()},
                                                         std::vector<std::string>{"dump", file.string(), "MSysObjects"}}) {
            const ToolResult result = runTagDbTool(command);
            ASSERT_TRUE(result.exitCode == 0 || result.exitCode == 1) << result.exitCode;
            if (result.exitCode == 1) {
                ++refused;
                EXPECT_NE(result.output.find(file.string()), std::string::npos) << result.output.substr(0, 1000);
                EXPECT_LT(result.output.size(), kMessageBound);
            }
        }
    }
    EXPECT_GT(refused, 10u);
}

TEST(DamagedSamples, CostTheServersReaderACleanErrorWithFewMessages)
{
    std::string log;
    const jet::TagReader reader(CORVANE_TAGREAD, {}, [&](const std::string& summary) { log += summary + "\n"; });
    TempFolder folder;
    const auto file = folder / "Corvane.mdb";
    for (const Damaged& damaged : damagedSamples()) {
        SCOPED_TRACE(damaged.name);
        writeFile(file, damaged.bytes);
        log.clear();
        try {
            for (const std::u16string& table : reader.tableNames(jet::fromUtf8(file.string()))) reader.table(jet::fromUtf8(file.string()), table, u"");
        } catch (const automation::AutomationError& error) {
            EXPECT_TRUE(error.hresult() == data_layer::kFileError || error.number() == automation::error::kOutOfMemory ||
                        error.hresult() == data_layer::kNoSuchTable)
                << jet::toUtf8(error.description());
        }
        EXPECT_LT(log.size(), kMessageBound);
    }
}

TEST(DamagedSamples, ThatLibmdbWouldParseForEverAreRefusedBeforeItSeesThem)
{
    // Cut in half, or with one byte of the database's properties (a long
    // value of the catalog) set to zero, this file leaves libmdb parsing the
    // properties for ever, warning "unsupported data type 0" by the megabyte
    // or saying nothing. The check of the catalog's properties refuses both.
    TempFolder folder;
    const auto file = folder / "Corvane.mdb";
    const std::string whole = readFile(samplesFolder() / "test2V2000.mdb");
    std::string zeroed = whole;
    zeroed[31 * 4096 + 2753] = 0;
    for (const std::string& bytes : {whole.substr(0, whole.size() / 2 / 4096 * 4096), zeroed}) {
        writeFile(file, bytes);
        const ToolResult listed = runTagDbTool({"list", file.string()});
        EXPECT_EQ(listed.exitCode, 1);
        EXPECT_EQ(listed.output, "corvanesim-tagdb: Unrecognized database format '" + file.string() + "'.\n");

        const jet::TagReader reader(CORVANE_TAGREAD);
        try {
            reader.tableNames(jet::fromUtf8(file.string()));
            ADD_FAILURE() << "the damaged file was read";
        } catch (const automation::AutomationError& error) {
            EXPECT_EQ(error.hresult(), data_layer::kFileError);
        }
    }
}

}  // namespace
}  // namespace corvane::test
