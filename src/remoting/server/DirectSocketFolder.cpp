#include "DirectSocketFolder.h"

#include <QStandardPaths>


#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace corvane::remoting {

namespace {

// Folders to remove should the process end through std::quick_exit. Fixed
// copies of the paths, so that the handler allocates nothing.
struct LiveFolders {
    std::mutex lock;
    std::vector<std::pair<std::string, std::string>> folders;  // folder, socket
};

LiveFolders& liveFolders()
{
    static LiveFolders* live = [] {
        auto* made = new LiveFolders;  // outlives every static destructor
        std::at_quick_exit([] {
            for (const auto& [folder, socket] : liveFolders().folders) {
                ::unlink(socket.c_str());
                ::rmdir(folder.c_str());
            }
        });
        return made;
    }();
    return *live;
}

QString systemError(const char* what, const std::string& path)
{
    return QStringLiteral("%1 %2: %3")
        .arg(QLatin1StringView(what), QString::fromStdString(path), QString::fromLocal8Bit(std::strerror(errno)));
}

}  // namespace

std::unique_ptr<DirectSocketFolder> DirectSocketFolder::create(QString& error)
{
    // Qt makes sure that the runtime folder exists and is the user's own.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) {
        error = QStringLiteral("there is no runtime folder for this user");
        return nullptr;
    }
    std::string pattern = runtime.toStdString() + "/corvanesim-XXXXXX";
    // mkdtemp makes the folder 0700 and never reuses an existing one.
    if (::mkdtemp(pattern.data()) == nullptr) {
        error = systemError("cannot make a folder like", pattern);
        return nullptr;
    }
    struct stat made {};
    if (::lstat(pattern.c_str(), &made) != 0 || !S_ISDIR(made.st_mode) || made.st_uid != ::geteuid()
        || (made.st_mode & 0077) != 0) {
        ::rmdir(pattern.c_str());
        error = QStringLiteral("the folder %1 is not the user's alone").arg(QString::fromStdString(pattern));
        return nullptr;
    }
    return std::unique_ptr<DirectSocketFolder>(new DirectSocketFolder(std::move(pattern)));
}

DirectSocketFolder::DirectSocketFolder(std::string folder) : folder_(std::move(folder)), socket_(folder_ + "/socket")
{
    LiveFolders& live = liveFolders();
    const std::lock_guard guard(live.lock);
    live.folders.emplace_back(folder_, socket_);
}

DirectSocketFolder::~DirectSocketFolder()
{
    LiveFolders& live = liveFolders();
    {
        const std::lock_guard guard(live.lock);
        std::erase(live.folders, std::pair(folder_, socket_));
    }
    ::unlink(socket_.c_str());
    ::rmdir(folder_.c_str());
}

QString DirectSocketFolder::address() const
{
    // D-Bus addresses keep letters, digits and -_/.\* as they are; any other byte goes as %XX.
    QString address = QStringLiteral("unix:path=");
    for (const unsigned char c : socket_) {
        const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (plain || (c != 0 && std::strchr("-_/.\\*", c) != nullptr))
            address += QLatin1Char(char(c));
        else
            address += QStringLiteral("%%%1").arg(int(c), 2, 16, QLatin1Char('0'));
    }
    return address;
}

bool DirectSocketFolder::restrictSocket(QString& error) const
{
    if (::chmod(socket_.c_str(), S_IRUSR | S_IWUSR) != 0) {
        error = systemError("cannot restrict the socket", socket_);
        return false;
    }
    return true;
}

}  // namespace corvane::remoting
