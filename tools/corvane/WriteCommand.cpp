// corvane write: a client's write to a tag, then what the tag holds.
#include "Arguments.h"
#include "Cli.h"
#include "ValueText.h"

#include "corvanesim/Tags.h"
#include "corvanesim/Text.h"

namespace corvane::cli {

namespace {

constexpr char kHelp[] = R"(Usage: corvane write TAG VALUE [--confidence N]

Writes VALUE to TAG as a client does (Put0) and prints what the tag then
holds. The emulator logs the write on its window. A VALUE or N that is no
number goes to the emulator as text, to convert as it does.

Options:
  --confidence N     the confidence of the value, 0 to 100 (default 100)
  -h, --help         print this help
)";

}  // namespace

int write(const std::vector<std::string>& args, std::ostream& out, Steps& steps)
{
    const Arguments options(args, {"confidence"}, {});
    if (options.help()) {
        out << kHelp;
        return kDone;
    }
    if (options.positional().size() != 2) throw UsageError("name one tag and one value");
    const std::string& name = options.positional()[0];
    const std::string& value = options.positional()[1];

    const client::Data data = openSession(steps);
    steps.at("adding the tag \"" + name + '"');
    const client::Tag tag = data.tags().add(client::fromUtf8(name));
    steps.at("writing " + value + " to " + name);
    if (const auto confidence = options.value("confidence"))
        tag.put0(text::number(value), automation::Variant::missing(), text::number(*confidence));
    else
        tag.put0(text::number(value));
    steps.at("reading " + name + " back");
    out << name << " = " << text::single(tag.pv()) << ", confidence " << tag.confidence() << '\n';
    return kDone;
}

}  // namespace corvane::cli
