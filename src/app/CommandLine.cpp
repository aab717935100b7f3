#include "CommandLine.h"

namespace corvane::app {

const char kUsage[] =
    "Usage: corvanesim [--regserver | --unregserver | --version | --help]\n"
    "Without a switch the server serves the session bus as org.corvane.CorvaneSim;\n"
    "the bus starts it on a client's first request once it is registered.\n"
    "  --regserver    install the bus service file for this executable\n"
    "  --unregserver  remove that service file\n"
    "  --version      print the product name and version\n";

Command commandOf(const QStringList& arguments)
{
    if (arguments.isEmpty()) return Command::Serve;
    if (arguments.size() > 1) return Command::Unknown;
    const QString& only = arguments.front();
    if (only == QLatin1StringView("--regserver")) return Command::RegisterService;
    if (only == QLatin1StringView("--unregserver")) return Command::UnregisterService;
    if (only == QLatin1StringView("--version")) return Command::PrintVersion;
    if (only == QLatin1StringView("--help") || only == QLatin1StringView("-h")) return Command::PrintUsage;
    return Command::Unknown;
}

}  // namespace corvane::app
