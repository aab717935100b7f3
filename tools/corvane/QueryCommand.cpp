// corvane query: the typical query of a client, with its samples printed.
#include "Arguments.h"
#include "Cli.h"
#include "TextTable.h"
#include "ValueText.h"

#include "corvanesim/Tags.h"
#include "corvanesim/Text.h"

#include <cstdlib>

namespace corvane::cli {

namespace {

constexpr char kHelp[] = R"(Usage: corvane query [OPTIONS] TAG...

Runs a query session as a client would (host, login, sampling, time window,
the tags, Fetch) and prints each tag's samples: tag, time, value, confidence.

Options:
  --host NAME        the historian host the session names (default localhost)
  --login USER       the user name to log in with (default: your login name)
  --password TEXT    the password to log in with (default none)
  --start WHEN       start of the window: NOW-<minutes>M, or a local date and
                     time YYYY-MM-DD HH:MM[:SS] (default NOW-60M)
  --end WHEN         end of the window: NOW, or a local date and time
                     (default NOW)
  --frequency SEC    seconds between samples (default 60)
  --method NAME      the sample method (default Interpolated)
  --csv              print CSV instead of aligned columns
  -h, --help         print this help
)";

std::string loginName()
{
    const char* user = std::getenv("USER");
    return user && *user ? user : "corvane";
}

std::string quoted(const std::string& text) { return '"' + text + '"'; }

}  // namespace

int query(const std::vector<std::string>& args, std::ostream& out, Steps& steps)
{
    const Arguments options(args, {"host", "login", "password", "start", "end", "frequency", "method"}, {"csv"});
    if (options.help()) {
        out << kHelp;
        return kDone;
    }
    if (options.positional().empty()) throw UsageError("name at least one tag");
    const std::string frequencyText = options.value("frequency", "60");
    const auto frequency = text::parseInteger(frequencyText);
    if (!frequency) throw UsageError("--frequency wants whole seconds, not " + quoted(frequencyText));
    const std::string start = options.value("start", "NOW-60M");
    const std::string end = options.value("end", "NOW");

    const client::Data data = openSession(steps);
    steps.at("setting HostName");
    data.setHostName(client::fromUtf8(options.value("host", "localhost")));
    steps.at("Login");
    data.login(client::fromUtf8(options.value("login", loginName())), client::fromUtf8(options.value("password", "")));
    steps.at("setting SampleFrequency to " + frequencyText);
    data.setSampleFrequency(*frequency);
    steps.at("setting SampleMethod");
    data.setSampleMethod(client::fromUtf8(options.value("method", "Interpolated")));
    steps.at("setting StartTime to " + quoted(start));
    data.setStartTime(text::when(start));
    steps.at("setting EndTime to " + quoted(end));
    data.setEndTime(text::when(end));

    const client::Tags tags = data.tags();
    for (const std::string& name : options.positional()) {
        steps.at("adding the tag " + quoted(name));
        tags.add(client::fromUtf8(name));
    }
    steps.at("Fetch");
    data.fetch();

    TextTable table({{"Tag"}, {"Time"}, {"Value", TextTable::Align::Right}, {"Confidence", TextTable::Align::Right}});
    steps.at("reading the tags");
    for (const client::Tag& tag : tags) {
        const std::string name = client::toUtf8(tag.tagName());
        steps.at("UnpackResults of " + quoted(name));
        const client::History history = tag.unpackResults();
        for (std::size_t i = 0; i < history.values.size(); ++i)
            table.add({name, client::dateText(history.timestamps[i]), text::single(history.values[i]),
                       std::to_string(history.confidences[i])});
    }
    if (options.flag("csv"))
        table.printCsv(out);
    else
        table.printAligned(out);
    return kDone;
}

}  // namespace corvane::cli
