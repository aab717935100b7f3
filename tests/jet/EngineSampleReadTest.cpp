// The files the engine itself wrote, read as the server and the tool read
// them: every table listed and dumped value for value as mdb-export gives
// it, every layout among them (deleted columns, rows moved to other pages,
// deleted rows, compressed text, long values over several pages) read whole.
#include "Csv.h"
#include "EngineSamples.h"
#include "ExternalReaders.h"
#include "IsolatedDataLayer.h"
#include "JetText.h"
#include "TestFiles.h"
#include "automation/AutomationError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace corvane::test {
namespace {

std::vector<tagdb::CsvRecord> parse(const std::string& text)
{
    std::istringstream in(text);
    return tagdb::readCsv(in);
}

std::vector<std::string> userTables(const std::filesystem::path& sample)
{
    std::vector<std::string> names;
    std::istringstream in(runCommand("mdb-tables -1 " + shellQuote(sample.string()) + " 2>/dev/null").output);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) names.push_back(line);
    return names;
}

// Our dump shows binary values as "(N bytes) HEX"; mdb-export -b hex as the
// hexadecimal alone. Numbers may differ in how many digits are printed.
bool sameValue(const std::string& ours, const std::string& theirs)
{
    if (ours == theirs) return true;
    if (ours.starts_with("(")) {
        const std::string length = std::to_string(theirs.size() / 2);
        const std::string prefix = "(" + length + (length == "1" ? " byte)" : " bytes)") + (theirs.empty() ? "" : " ");
        return ours == prefix + theirs;
    }
    char* end = nullptr;
    const double a = std::strtod(ours.c_str(), &end);
    if (ours.empty() || *end) return false;
    const double b = std::strtod(theirs.c_str(), &end);
    if (theirs.empty() || *end) return false;
    return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(a));
}

TEST(EngineSamples, AreListedAsMdbToolsListsThem)
{
    for (const auto& sample : sampleFiles()) {
        const ToolResult listed = runTagDbTool({"list", sample.string()});
        EXPECT_EQ(listed.exitCode, 0) << sample.filename() << listed.output;
        EXPECT_EQ(listTables(Reader::OwnDump, sample), userTables(sample)) << sample.filename();
    }
}

TEST(EngineSamples, AreDumpedValueForValueAsMdbExportGivesThem)
{
    std::size_t values = 0;
    for (const auto& sample : sampleFiles()) {
        std::vector<std::string> tables = userTables(sample);
        tables.push_back("MSysObjects");  // long values over several pages, binary fields
        for (const std::string& table : tables) {
            SCOPED_TRACE(sample.filename().string() + " " + table);
            const auto ours = parse(runCommand(shellQuote(CORVANE_TAGDB) + " dump " + shellQuote(sample.string()) + " " +
                                               shellQuote(table) + " 2>/dev/null")
                                        .output);
            const auto theirs = parse(runCommand("mdb-export -T '%Y-%m-%d %H:%M:%S' -b hex " + shellQuote(sample.string()) +
                                                 " " + shellQuote(table) + " 2>/dev/null")
                                          .output);
            ASSERT_EQ(ours.size(), theirs.size());
            for (std::size_t r = 0; r < ours.size(); ++r) {
                ASSERT_EQ(ours[r].fields.size(), theirs[r].fields.size()) << "row " << r;
                for (std::size_t c = 0; c < ours[r].fields.size(); ++c, ++values)
                    EXPECT_PRED2(sameValue, ours[r].fields[c].text, theirs[r].fields[c].text)
                        << "row " << r << ", " << ours[0].fields[c].text;
            }
        }
    }
    EXPECT_GT(values, 5000u);
}

TEST(EngineSamples, ReadWholeThroughTheServersReaderWithTheRowsMdbExportFinds)
{
    const jet::TagReader reader(CORVANE_TAGREAD);
    for (const auto& sample : sampleFiles()) {
        for (const std::string& table : userTables(sample)) {
            SCOPED_TRACE(sample.filename().string() + " " + table);
            const std::size_t rows = parse(runCommand("mdb-export " + shellQuote(sample.string()) + " " + shellQuote(table)).output).size() - 1;
            try {
                EXPECT_EQ(reader.table(jet::fromUtf8(sample.string()), jet::fromUtf8(table), u"").rows.size(), rows);
            } catch (const automation::AutomationError& error) {
                ADD_FAILURE() << error.what();
            }
        }
    }
}

TEST(EngineSamples, GiveDecimalsAsNumbers)
{
    const jet::TagReader reader(CORVANE_TAGREAD);
    const auto table = reader.table(jet::fromUtf8((samplesFolder() / "numericV2000.mdb").string()), u"test", u"");
    ASSERT_EQ(table.rows.size(), 1u);
    std::vector<std::int64_t> amounts;
    for (std::size_t c = 1; c < table.rows[0].size(); ++c) {
        ASSERT_EQ(table.rows[0][c].type(), automation::VarType::Currency);
        amounts.push_back(table.rows[0][c].currency() / 10000);
    }
    EXPECT_EQ(amounts, (std::vector<std::int64_t>{1, 0, 0, 4, -1, 1}));
}

}  // namespace
}  // namespace corvane::test
