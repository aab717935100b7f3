// The Windows build's tag database reader: corvanesim-tagread.exe, our own
// reader in a process of its own, answers exactly as the reader does in
// process; a child that hangs, floods or faults is ended within bounds; the
// server's tag store loads a database the Windows tool wrote.
#include "ChildProcess.h"
#include "IsolatedDataLayer.h"
#include "JetDataLayer.h"
#include "JetText.h"
#include "TagReader.h"
#include "automation/AutomationError.h"
#include "automation/RegionalSettings.h"
#include "server/TagStore.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace corvane::win32::test {
namespace {

using Table = jet::TagReadAnswer::Table;

const std::filesystem::path kBuildFolder = std::filesystem::path(CORVANE_WINDOWS_APP_FOLDER);
const std::filesystem::path kSamples = std::filesystem::path(CORVANE_JET_SAMPLES);

std::filesystem::path self()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::u16string pathText(const std::filesystem::path& path) { return path.u16string(); }
std::string utf8(const std::filesystem::path& path) { return jet::toUtf8(path.u16string()); }

Table readInProcess(const std::filesystem::path& file, std::u16string_view table)
{
    jet::JetDataLayer dataLayer;
    auto connection = dataLayer.createConnection();
    connection->open(pathText(file));
    auto recordset = connection->createRecordset();
    recordset->open(table, u"");
    Table read{recordset->fieldNames(), {}};
    for (; !recordset->eof(); recordset->moveNext()) {
        auto& row = read.rows.emplace_back();
        for (const auto& name : read.fieldNames) row.push_back(recordset->field(name));
    }
    return read;
}

TEST(ReaderProcess, AnswersEverySampleTableAsTheReaderInProcess)
{
    const jet::TagReader reader(kBuildFolder / "corvanesim-tagread.exe");
    // Deleted columns, moved rows, compressed text, decimals.
    const std::pair<const char*, std::size_t> samples[] = {
        {"delColTestV2003.mdb", 0}, {"overflowTestV2000.mdb", 7}, {"testUnicodeCompV2003.mdb", 8}, {"numericV2000.mdb", 1}};
    for (const auto& [name, expectedRows] : samples) {
        SCOPED_TRACE(name);
        const std::filesystem::path file = kSamples / name;
        const auto tables = reader.tableNames(pathText(file));
        ASSERT_FALSE(tables.empty());
        for (const std::u16string& table : tables) {
            const Table ours = reader.table(pathText(file), table, u"");
            const Table direct = readInProcess(file, table);
            EXPECT_EQ(ours.fieldNames, direct.fieldNames);
            EXPECT_EQ(ours.rows, direct.rows);
        }
        if (expectedRows > 0) {
            EXPECT_EQ(reader.table(pathText(file), tables.front(), u"").rows.size(), expectedRows);
        }
    }
}

TEST(ReaderProcess, RefusesAFileThatIsNoDatabaseNamingIt)
{
    const jet::TagReader reader(kBuildFolder / "corvanesim-tagread.exe");
    const std::filesystem::path file = kSamples / "README.md";
    try {
        reader.tableNames(pathText(file));
        ADD_FAILURE() << "a text file was read";
    } catch (const automation::AutomationError& error) {
        EXPECT_NE(error.description().find(pathText(file)), std::u16string::npos);
    }
}

// This program started again as a child that misbehaves (see main()).
TEST(ChildProcess, IsKilledAtTheDeadline)
{
    const auto outcome = jet::runChild(self(), {"--child=hang"}, std::chrono::milliseconds(500), 1024);
    EXPECT_EQ(outcome.end, jet::ChildOutcome::End::TimedOut);
}

TEST(ChildProcess, IsKilledWhenItsAnswerOutgrowsTheLimit)
{
    const auto outcome = jet::runChild(self(), {"--child=flood"}, std::chrono::seconds(60), 1 << 16);
    EXPECT_EQ(outcome.end, jet::ChildOutcome::End::TooMuchOutput);
    EXPECT_LE(outcome.answer.size(), 1u << 16);
}

TEST(ChildProcess, ThatFaultsIsToldFromOneThatExits)
{
    EXPECT_EQ(jet::runChild(self(), {"--child=fault"}, std::chrono::seconds(60), 1024).end, jet::ChildOutcome::End::Crashed);
    const auto outcome = jet::runChild(self(), {"--child=answer", "ünï cödé"}, std::chrono::seconds(60), 1024);
    EXPECT_EQ(outcome.end, jet::ChildOutcome::End::Exited);
    EXPECT_EQ(outcome.exitCode, 3);
    EXPECT_EQ(outcome.answer, "ünï cödé");
    EXPECT_NE(outcome.messages.summary().find("to standard error"), std::string::npos);
}

TEST(WindowsTagDatabase, WrittenByTheToolLoadsIntoTheServersTagStore)
{
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    const std::filesystem::path folder = std::filesystem::path(temporary) / "corvane-tagstore";
    std::filesystem::create_directories(folder);
    const auto tool = jet::runChild(kBuildFolder / "corvanesim-tagdb.exe",
                                    {"create", utf8(folder / "Corvane.mdb"), "--from", CORVANE_SAMPLE_CSV},
                                    std::chrono::seconds(60), 1 << 20);
    ASSERT_EQ(tool.end, jet::ChildOutcome::End::Exited);
    ASSERT_EQ(tool.exitCode, 0) << tool.messages.summary();
    const auto listed = jet::runChild(kBuildFolder / "corvanesim-tagdb.exe", {"list", utf8(folder / "Corvane.mdb")},
                                      std::chrono::seconds(60), 1 << 20);
    EXPECT_EQ(listed.answer, "Default\n");

    jet::IsolatedDataLayer dataLayer{jet::TagReader(kBuildFolder / "corvanesim-tagread.exe")};
    TagStore store(dataLayer, pathText(folder), automation::FixedRegionalSettings::english());
    store.LoadTagTable();
    std::int32_t confidence = 0;
    EXPECT_FLOAT_EQ(store.LookupTag(u"10PT101", confidence), 12.47f);
    EXPECT_EQ(confidence, 100);
    store.CloseTagStore();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace
}  // namespace corvane::win32::test

namespace {

// As the reader process ends at a fault.
LONG WINAPI endAtFault(EXCEPTION_POINTERS* fault)
{
    TerminateProcess(GetCurrentProcess(), fault->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv)
{
    // The misbehaving children of the ChildProcess cases.
    if (argc >= 2 && std::string(argv[1]).starts_with("--child=")) {
        const std::string role = argv[1] + 8;
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
        SetUnhandledExceptionFilter(endAtFault);
        if (role == "hang") Sleep(INFINITE);
        if (role == "flood") {
            const std::string chunk(4096, 'x');
            DWORD written = 0;
            while (WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), chunk.data(), 4096, &written, nullptr)) {
            }
            return 0;
        }
        if (role == "fault") RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
        if (role == "answer") {
            // The argument as the wide command line carries it, back as UTF-8.
            int count = 0;
            LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
            const std::wstring word = count > 2 ? words[2] : L"";
            const std::string text = corvane::jet::toUtf8(std::u16string(word.begin(), word.end()));
            DWORD written = 0;
            WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            const char message[] = "a line to standard error\n";
            WriteFile(GetStdHandle(STD_ERROR_HANDLE), message, sizeof message - 1, &written, nullptr);
            return 3;
        }
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
