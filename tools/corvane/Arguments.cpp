#include "Arguments.h"

namespace corvane::cli {

Arguments::Arguments(const std::vector<std::string>& args, const std::set<std::string>& valued,
                     const std::set<std::string>& flags)
{
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options && arg == "--") {
            options = false;
            continue;
        }
        if (options && arg == "-h") {
            flags_.insert("help");
            continue;
        }
        if (!options || arg.rfind("--", 0) != 0) {
            positional_.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        if (name == "help" || flags.count(name)) {
            if (equals != std::string::npos) throw UsageError("--" + name + " takes no value");
            flags_.insert(name);
        } else if (valued.count(name)) {
            if (equals != std::string::npos) {
                values_[name] = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                values_[name] = args[++i];
            } else {
                throw UsageError("--" + name + " needs a value");
            }
        } else {
            throw UsageError("unknown option --" + name);
        }
    }
}

std::optional<std::string> Arguments::value(const std::string& name) const
{
    const auto found = values_.find(name);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

std::string Arguments::value(const std::string& name, const std::string& fallback) const
{
    return value(name).value_or(fallback);
}

}  // namespace corvane::cli
