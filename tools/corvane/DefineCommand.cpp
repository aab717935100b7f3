// corvane define: the definition the emulator makes up for a tag name.
#include "Arguments.h"
#include "Cli.h"
#include "ValueText.h"

#include "corvanesim/Tags.h"
#include "corvanesim/Text.h"

namespace corvane::cli {

namespace {

constexpr char kHelp[] = R"(Usage: corvane define TAG

Prints the definition of TAG as a client reads it: description, units and
range.

Options:
  -h, --help         print this help
)";

}  // namespace

int define(const std::vector<std::string>& args, std::ostream& out, Steps& steps)
{
    const Arguments options(args, {}, {});
    if (options.help()) {
        out << kHelp;
        return kDone;
    }
    if (options.positional().size() != 1) throw UsageError("name one tag");
    const std::string& name = options.positional()[0];

    const client::Data data = openSession(steps);
    steps.at("adding the tag \"" + name + '"');
    const client::Tag tag = data.tags().add(client::fromUtf8(name));
    steps.at("reading the definition of " + name);
    const client::TagDefinition definition = tag.tagDefinition();
    out << "Tag:           " << client::toUtf8(tag.tagName()) << '\n'
        << "Description:   " << client::toUtf8(definition.description()) << '\n'
        << "Units:         " << client::toUtf8(definition.units()) << '\n'
        << "Low extreme:   " << text::single(definition.lowExtreme()) << '\n'
        << "High extreme:  " << text::single(definition.highExtreme()) << '\n';
    return kDone;
}

}  // namespace corvane::cli
