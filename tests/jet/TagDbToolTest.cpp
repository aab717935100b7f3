// The corvanesim-tagdb command line: clear errors with a non-zero exit and
// no half-written output, the same bytes for the same input, dumps and lists.
#include "ExternalReaders.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

class TagDbTool : public ::testing::Test {
protected:
    ToolResult create(const std::string& csv, std::vector<std::string> options = {})
    {
        writeFile(folder_ / "tags.csv", csv);
        std::vector<std::string> args{"create", output().string(), "--from", (folder_ / "tags.csv").string()};
        args.insert(args.end(), options.begin(), options.end());
        return runTagDbTool(args);
    }
    std::filesystem::path output() const { return folder_ / "out.mdb"; }
    // Files the tool left behind: the output or a temporary beside it.
    std::size_t outputsInFolder() const
    {
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.path()))
            count += entry.path().filename().string().starts_with("out.mdb");
        return count;
    }

    void expectRefused(const ToolResult& result, const std::string& message)
    {
        EXPECT_EQ(result.exitCode, 1) << result.output;
        EXPECT_NE(result.output.find(message), std::string::npos) << result.output;
        EXPECT_EQ(outputsInFolder(), 0u) << "no output, whole or partial";
    }

    TempFolder folder_;
};

TEST_F(TagDbTool, RefusesADuplicateKeyAndWritesNothing)
{
    expectRefused(create("Tag,Value,Confidence\nFIC101,1,100\nTIC101,2,100\nFIC101,3,100\n"),
                  "rows 1 and 3: duplicate key 'FIC101' in the unique index 'PrimaryKey'");
}

TEST_F(TagDbTool, RefusesNamesThatDifferOnlyInCaseUnderTheIndexOnTag)
{
    expectRefused(create("Tag,Value,Confidence\nTIC101.PV,1,100\ntic101.pv,2,100\n"), "duplicate key 'tic101.pv'");
}

TEST_F(TagDbTool, RefusesAnEmptyIndexKey)
{
    expectRefused(create("Tag,Value,Confidence\n,1,100\n"), "row 1: the index key 'Tag' is empty");
}

TEST_F(TagDbTool, RefusesAnIndexKeyWhosePlaceInTheSortOrderIsUnknownNamingItsCharacterAndRow)
{
    expectRefused(create("Tag,Value,Confidence\nFIC101,1,100\nTT\xF0\x9F\x98\x80" "1,2,100\n"),
                  "row 2, the index key 'Tag' holds '\xF0\x9F\x98\x80' (U+1F600 has no place in the General sort order)");
    // Without an index over it, the character is stored like any other.
    EXPECT_EQ(create("Tag,Value,Confidence\nTT\xF0\x9F\x98\x80" "1,2,100\n", {"--no-index"}).exitCode, 0);
}

TEST_F(TagDbTool, RefusesATextThatCouldNotBeReadBack)
{
    expectRefused(create("Tag,Value,Confidence\n\xEF\xBB\xBFTT\xC4\x80,1,100\n"), "cannot hold a character whose low byte is zero");
}

TEST_F(TagDbTool, RefusesTextLongerThanItsColumn)
{
    expectRefused(create("Tag:text(5),Value,Confidence\nFIC101,1,100\n"), "text of 6 characters does not fit (at most 5)");
}

TEST_F(TagDbTool, RefusesValuesThatDoNotFitTheirColumns)
{
    expectRefused(create("Tag,Value:single,Confidence\nFIC101,1e39,100\n"), "the value is beyond the single range");
    expectRefused(create("Tag,Value,Confidence\nFIC101,1,3000000000\n"), "3000000000 does not fit a 32-bit integer");
    expectRefused(create("Tag,Value,Confidence\nFIC101,1,2.5\n"), "line 2, column 'Confidence': '2.5' is not a whole number");
    expectRefused(create("Tag,Value,Confidence\nFIC101,high,100\n"), "line 2, column 'Value': 'high' is not a number");
    expectRefused(create("Tag,Value,Confidence\nFIC101,1e400,100\n"), "'1e400' is beyond the double range");
}

TEST_F(TagDbTool, RefusesCsvItCannotRead)
{
    expectRefused(runTagDbTool({"create", output().string(), "--from", (folder_ / "absent.csv").string()}), "cannot read");
    expectRefused(create("Tag,Value,Confidence\n\"FIC101,1,100\n"), "line 2: a quoted field is not closed");
    expectRefused(create("Tag,Value,Confidence\nFIC101,1\n"), "line 2: 2 fields, the header has 3");
    expectRefused(create("Tag,Value:float,Confidence\n"), "unknown type 'float'");
}

TEST_F(TagDbTool, LeavesAnExistingFileUntouchedWhenItFails)
{
    ASSERT_EQ(create("Tag,Value,Confidence\nFIC101,1,100\n").exitCode, 0);
    const std::uint64_t before = fileHash(output());
    const ToolResult failed = create("Tag,Value,Confidence\nFIC101,1,100\nFIC101,1,100\n");
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(fileHash(output()), before);
}

TEST_F(TagDbTool, ExitsWithTwoOnBadUsage)
{
    EXPECT_EQ(runTagDbTool({}).exitCode, 2);
    EXPECT_EQ(runTagDbTool({"create"}).exitCode, 2);
    EXPECT_EQ(runTagDbTool({"create", output().string()}).exitCode, 2);
    EXPECT_EQ(runTagDbTool({"create", output().string(), "--from", "x.csv", "--no-table"}).exitCode, 2);
    EXPECT_EQ(runTagDbTool({"create", output().string(), "--no-index", "--index-on", "Id", "--no-table"}).exitCode, 2);
    EXPECT_EQ(runTagDbTool({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(runTagDbTool({"dump"}).exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(output()));
}

TEST_F(TagDbTool, WritesTheSameBytesForTheSameInput)
{
    ASSERT_EQ(create("Tag,Value,Confidence\nFIC101,1,100\nTIC101,2.5,90\n").exitCode, 0);
    const std::string first = readFile(output());
    ASSERT_EQ(create("Tag,Value,Confidence\nFIC101,1,100\nTIC101,2.5,90\n").exitCode, 0);
    EXPECT_EQ(readFile(output()), first);
}

TEST_F(TagDbTool, DumpsTheSampleDatabaseAsTheGoldenCsv)
{
    const std::uint64_t before = fileHash(CORVANE_SAMPLE_DATABASE);
    const ToolResult dump = runTagDbTool({"dump", CORVANE_SAMPLE_DATABASE});
    ASSERT_EQ(dump.exitCode, 0) << dump.output;
    EXPECT_EQ(fileHash(CORVANE_SAMPLE_DATABASE), before);
    const std::string golden = readFile(std::filesystem::path(CORVANE_GOLDEN_DIR) / "sample-dump.csv");
    if (dump.output != golden) {
        writeFile(folder_ / "actual.csv", dump.output);
        ADD_FAILURE() << runCommand("diff -u " + shellQuote(CORVANE_GOLDEN_DIR "/sample-dump.csv") + " " +
                                    shellQuote((folder_ / "actual.csv").string()))
                             .output;
    }
}

TEST_F(TagDbTool, DumpsNullAsAnEmptyFieldAndEmptyTextAsQuotes)
{
    ASSERT_EQ(create("Tag,Value,Confidence,Note\nFIC101,,100,\"\"\nFIC102,1.5,,\n").exitCode, 0);
    const ToolResult dump = runTagDbTool({"dump", output().string()});
    EXPECT_EQ(dump.output, "Tag,Value,Confidence,Note\n\"FIC101\",,100,\"\"\n\"FIC102\",1.5,,\n");
}

TEST_F(TagDbTool, DumpOfAMissingTableGivesTheDataLayersMessage)
{
    ASSERT_EQ(create("Tag,Value,Confidence\nFIC101,1,100\n").exitCode, 0);
    const ToolResult dump = runTagDbTool({"dump", output().string(), "Nope"});
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_NE(dump.output.find("cannot find the input table or query 'Nope'"), std::string::npos) << dump.output;
}

TEST_F(TagDbTool, DumpOfAMissingFileNamesIt)
{
    const ToolResult dump = runTagDbTool({"dump", (folder_ / "absent.mdb").string()});
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_NE(dump.output.find("Could not find file '" + (folder_ / "absent.mdb").string() + "'."), std::string::npos) << dump.output;
}

TEST_F(TagDbTool, ListsTheTableUnderTheNameItWasGiven)
{
    ASSERT_EQ(create("Tag,Value,Confidence\nFIC101,1,100\n", {"--table", "Tags 2024"}).exitCode, 0);
    EXPECT_EQ(runTagDbTool({"list", output().string()}).output, "Tags 2024\n");
}

}  // namespace
}  // namespace corvane::test
