#include "Cli.h"

#include "Arguments.h"

#include "corvanesim/Connection.h"
#include "corvanesim/RemoteError.h"
#include "corvanesim/Text.h"

#include <map>

namespace corvane::cli {

namespace {

constexpr char kUsageText[] = R"(Usage: corvane COMMAND [OPTIONS] [ARGUMENTS]

A client of the CorvaneSim emulator on the session bus.

Commands:
  query TAG...      the samples of tags over a time window
  write TAG VALUE   write a value (and a confidence) to a tag
  define TAG        the definition that the emulator makes up for a tag
  tags TAG...       the current value and confidence of tags
  operator ACTION   the operator's side: settings, grid edits, the write log

Run 'corvane COMMAND --help' for the options of a command.
Exit status: 0 done, 1 the emulator reported an error or cannot be reached,
2 wrong usage.
)";

using Command = int (*)(const std::vector<std::string>&, std::ostream&, Steps&);

const std::map<std::string, Command>& commands()
{
    static const std::map<std::string, Command> known{
        {"query", query}, {"write", write}, {"define", define}, {"tags", tags}, {"operator", operatorControls},
    };
    return known;
}

// What to try when the emulator cannot be reached at all.
std::string hintFor(std::int32_t code)
{
    if (code == client::hresult::kClassNotRegistered)
        return "\nThe emulator is not known to this session bus: register it with 'corvanesim --regserver'.";
    if (code == client::hresult::kServerUnavailable)
        return "\nThere is no session bus: run inside one (dbus-run-session) or use scripts/run.sh.";
    return {};
}

}  // namespace

client::Data openSession(Steps& steps)
{
    steps.at("connecting to the session bus");
    const client::Connection connection = client::Connection::sessionBus();
    steps.at("creating CorvaneSim.Data");
    return client::Data::create(connection);
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        err << kUsageText;
        return kUsage;
    }
    if (args.front() == "--help" || args.front() == "-h" || args.front() == "help") {
        out << kUsageText;
        return kDone;
    }
    const auto command = commands().find(args.front());
    if (command == commands().end()) {
        err << "corvane: unknown command '" << args.front() << "'\n\n" << kUsageText;
        return kUsage;
    }
    const std::string name = "corvane " + args.front();
    Steps steps;
    try {
        return command->second({args.begin() + 1, args.end()}, out, steps);
    } catch (const UsageError& error) {
        err << name << ": " << error.what() << "\nTry '" << name << " --help'.\n";
        return kUsage;
    } catch (const client::RemoteError& error) {
        err << name << ": " << steps.current() << " failed: error " << client::hexCode(error.code()) << ": "
            << client::toUtf8(error.description());
        if (!error.source().empty()) err << " (" << client::toUtf8(error.source()) << ")";
        err << hintFor(error.code()) << '\n';
        return kFailed;
    } catch (const CommandError& error) {
        err << name << ": " << steps.current() << " failed: " << error.what() << '\n';
        return kFailed;
    }
}

}  // namespace corvane::cli
