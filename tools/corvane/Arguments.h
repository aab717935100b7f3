#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::cli {

// A command line that cannot be used; the message says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arguments of one command: options (--name VALUE, --name=VALUE, or a
// bare --flag) and, in order, everything else. Only what starts with "--"
// (and -h) is an option, so negative numbers are ordinary arguments; "--"
// ends the options.
class Arguments {
public:
    // Throws UsageError for an unknown option, a value missing or given to a flag.
    Arguments(const std::vector<std::string>& args, const std::set<std::string>& valued,
              const std::set<std::string>& flags);

    std::optional<std::string> value(const std::string& name) const;
    std::string value(const std::string& name, const std::string& fallback) const;
    bool flag(const std::string& name) const { return flags_.count(name) != 0; }
    bool help() const { return flag("help"); }
    const std::vector<std::string>& positional() const { return positional_; }

private:
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
    std::vector<std::string> positional_;
};

}  // namespace corvane::cli
