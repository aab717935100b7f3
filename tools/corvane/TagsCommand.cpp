// corvane tags: the current value and confidence of tags.
#include "Arguments.h"
#include "Cli.h"
#include "TextTable.h"
#include "ValueText.h"

#include "corvanesim/Tags.h"
#include "corvanesim/Text.h"

namespace corvane::cli {

namespace {

constexpr char kHelp[] = R"(Usage: corvane tags [--csv] TAG...

Prints the current value and confidence of each TAG, as the emulator's tag
database gives them to a new session (-999 and 0 for a tag it does not know).

Options:
  --csv              print CSV instead of aligned columns
  -h, --help         print this help
)";

}  // namespace

int tags(const std::vector<std::string>& args, std::ostream& out, Steps& steps)
{
    const Arguments options(args, {}, {"csv"});
    if (options.help()) {
        out << kHelp;
        return kDone;
    }
    if (options.positional().empty()) throw UsageError("name at least one tag");

    const client::Data data = openSession(steps);
    const client::Tags tags = data.tags();
    TextTable table({{"Tag"}, {"Value", TextTable::Align::Right}, {"Confidence", TextTable::Align::Right}});
    for (const std::string& name : options.positional()) {
        steps.at("adding the tag \"" + name + '"');
        const client::Tag tag = tags.add(client::fromUtf8(name));
        table.add({name, text::single(tag.pv()), std::to_string(tag.confidence())});
    }
    if (options.flag("csv"))
        table.printCsv(out);
    else
        table.printAligned(out);
    return kDone;
}

}  // namespace corvane::cli
