#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::jet {

// What a child process wrote to its standard error, kept small whatever it
// wrote: each distinct line once (the first few, cut to a line's worth) with
// how often it came, and the counts of all lines and bytes.
class ChildMessages {
public:
    void add(std::string_view chunk);
    // Ends a last line that had no line break.
    void finish();

    std::size_t bytes() const { return bytes_; }
    std::size_t lines() const { return lines_; }
    // One line of at most a few hundred bytes per distinct message and one
    // for the rest, or empty when there were none.
    std::string summary() const;

private:
    void addLine(std::string_view line);

    struct Message {
        std::string text;
        std::size_t count = 0;
    };
    std::vector<Message> distinct_;
    std::size_t otherLines_ = 0;
    std::string partial_;
    std::size_t bytes_ = 0;
    std::size_t lines_ = 0;
};

}  // namespace corvane::jet
