// corvane operator: the operator's side of a running emulator, from a script.
#include "Arguments.h"
#include "Cli.h"
#include "OperatorBus.h"
#include "TextTable.h"

#include <QCoreApplication>

#include <charconv>
#include <memory>

namespace corvane::cli {

namespace {

constexpr char kHelp[] = R"(Usage: corvane operator ACTION [ARGUMENTS]

Does what the operator does in the emulator's window, or reads what the
window shows, so that a script or a CI job can steer a server that nobody
watches. Each action has the effects of the operator's own click or
keystroke; the window shows it.

Actions:
  sine on|off           check or clear the Sinewave box
  period TEXT           type TEXT into the period box (seconds)
  time-error TEXT       type TEXT into the time-error box
  edit ROW COL TEXT     edit a grid cell in place: ROW 1 and on, COL 1 for
                        the value, 2 for the confidence; TEXT is committed
                        as with Enter, with the editor's rules
  clear                 click Clear under the write log
  answer-exit yes|no    answer the exit question that is open, or else the
                        next one the emulator asks
  log [--follow]        print the write log; with --follow go on printing
                        what is added to it until the emulator ends
  grid [--csv]          print the grid's rows with their numbers
  labels                print what the window's labels and boxes show
  data                  print the data window's sample listing

Texts go in as typed, so a text that is no number does what it does when
the operator types it. The bus starts the emulator when it does not run.

Options:
  -h, --help            print this help
)";

// Exactly the words given, or a usage error.
bool onOff(const std::string& word, const char* on, const char* off)
{
    if (word == on) return true;
    if (word == off) return false;
    throw UsageError(std::string("say ") + on + " or " + off + ", not '" + word + "'");
}

std::int32_t number(const std::string& text, const char* what)
{
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        throw UsageError(std::string(what) + " must be a whole number, not '" + text + "'");
    return value;
}

// The window's line breaks are CR LF; a terminal and grep want LF.
std::string withLineFeeds(std::string text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

void expectArguments(const std::vector<std::string>& positional, std::size_t count, const char* usage)
{
    if (positional.size() != count + 1) throw UsageError(std::string("usage: corvane operator ") + usage);
}

int follow(std::ostream& out, Steps& steps)
{
    // Following waits on the bus's signals, which need an event loop.
    static int argc = 1;
    static char name[] = "corvane";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> application;
    if (QCoreApplication::instance() == nullptr) application = std::make_unique<QCoreApplication>(argc, argv);
    steps.at("following the write log");
    OperatorBus bus;
    bus.followWriteLog([&out](const std::string& text) { out << withLineFeeds(text) << std::flush; });
    return kDone;
}

}  // namespace

int operatorControls(const std::vector<std::string>& args, std::ostream& out, Steps& steps)
{
    const Arguments options(args, {}, {"follow", "csv"});
    if (options.help()) {
        out << kHelp;
        return kDone;
    }
    const std::vector<std::string>& positional = options.positional();
    if (positional.empty()) throw UsageError("name an action");
    const std::string& action = positional.front();
    if (options.flag("follow") && action != "log") throw UsageError("--follow goes with log only");
    if (options.flag("csv") && action != "grid") throw UsageError("--csv goes with grid only");

    if (action == "log" && options.flag("follow")) {
        expectArguments(positional, 0, "log [--follow]");
        return follow(out, steps);
    }
    steps.at("reaching the emulator's operator controls");
    OperatorBus bus;
    if (action == "sine") {
        expectArguments(positional, 1, "sine on|off");
        steps.at("setting the sine wave " + positional[1]);
        bus.setSineWave(onOff(positional[1], "on", "off"));
    } else if (action == "period" || action == "time-error") {
        expectArguments(positional, 1, action == "period" ? "period TEXT" : "time-error TEXT");
        steps.at("typing the " + action + " " + positional[1]);
        if (action == "period")
            bus.setPeriod(positional[1]);
        else
            bus.setTimeError(positional[1]);
    } else if (action == "edit") {
        expectArguments(positional, 3, "edit ROW COL TEXT");
        const std::int32_t row = number(positional[1], "ROW");
        const std::int32_t column = number(positional[2], "COL");
        steps.at("editing row " + positional[1] + ", column " + positional[2]);
        bus.editCell(row, column, positional[3]);
    } else if (action == "clear") {
        expectArguments(positional, 0, "clear");
        steps.at("clearing the write log");
        bus.clearWriteLog();
    } else if (action == "answer-exit") {
        expectArguments(positional, 1, "answer-exit yes|no");
        steps.at("answering the exit question");
        bus.answerExit(onOff(positional[1], "yes", "no"));
    } else if (action == "log") {
        expectArguments(positional, 0, "log [--follow]");
        steps.at("reading the write log");
        out << withLineFeeds(bus.writeLog());
    } else if (action == "grid") {
        expectArguments(positional, 0, "grid [--csv]");
        steps.at("reading the grid");
        const std::vector<std::vector<std::string>> rows = bus.gridRows();
        std::vector<TextTable::Column> columns{{"Row", TextTable::Align::Right}};
        for (const std::string& caption : rows.empty() ? std::vector<std::string>{} : rows.front())
            columns.push_back({caption});
        TextTable table(columns);
        for (std::size_t row = 1; row < rows.size(); ++row) {
            std::vector<std::string> cells{std::to_string(row)};
            cells.insert(cells.end(), rows[row].begin(), rows[row].end());
            table.add(cells);
        }
        if (options.flag("csv"))
            table.printCsv(out);
        else
            table.printAligned(out);
    } else if (action == "labels") {
        expectArguments(positional, 0, "labels");
        steps.at("reading the labels");
        TextTable table({{"Control"}, {"Text"}});
        for (const auto& [name, text] : bus.labels()) table.add({name, text});
        table.printAligned(out);
    } else if (action == "data") {
        expectArguments(positional, 0, "data");
        steps.at("reading the data window");
        out << withLineFeeds(bus.dataListing());
    } else {
        throw UsageError("unknown action '" + action + "'");
    }
    return kDone;
}

}  // namespace corvane::cli
