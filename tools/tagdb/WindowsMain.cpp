// corvanesim-tagdb.exe: the tag database tool on Windows. dump and list read
// through corvanesim-tagread.exe, which sits beside the server and this tool.
#include "JetText.h"
#include "TagDbCommands.h"
#include "TagReader.h"

#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::filesystem::path ownFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
}

// The arguments as UTF-8, from the wide command line.
std::vector<std::string> arguments()
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 1; words && i < count; ++i) {
        const std::wstring word(words[i]);
        result.push_back(corvane::jet::toUtf8(std::u16string(word.begin(), word.end())));
    }
    LocalFree(words);
    return result;
}

}  // namespace

int main()
{
    // A dump is the table's bytes: memos keep their own line breaks, and the
    // output is the same as on Linux.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::filesystem::path reader = ownFolder() / (std::string(corvane::jet::kTagReaderProgram) + ".exe");
    const corvane::jet::TagReader tagReader(reader, {}, [](const std::string& summary) {
        std::cerr << "corvanesim-tagdb: the database reader wrote " << summary << '\n';
    });
    return corvane::tagdb::runTagDb(arguments(), tagReader, std::cout, std::cerr);
}
