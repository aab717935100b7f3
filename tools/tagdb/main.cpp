#include "TagDbCommands.h"
#include "TagReader.h"

#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {

// The reader process sits beside this tool once installed, and in the
// server's folder of the build tree before that.
std::filesystem::path readerProgram()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path beside = self.parent_path() / corvane::jet::kTagReaderProgram;
        if (access(beside.c_str(), X_OK) == 0) return beside;
    }
    return CORVANE_TAGREAD_IN_BUILD_TREE;
}

}  // namespace

int main(int argc, char** argv)
{
    const corvane::jet::TagReader reader(readerProgram(), {}, [](const std::string& summary) {
        std::cerr << "corvanesim-tagdb: the database library wrote " << summary << '\n';
    });
    return corvane::tagdb::runTagDb(std::vector<std::string>(argv + 1, argv + argc), reader, std::cout, std::cerr);
}
