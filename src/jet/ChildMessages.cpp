#include "ChildMessages.h"

#include <algorithm>

namespace corvane::jet {
namespace {

constexpr std::size_t kDistinctKept = 8;
constexpr std::size_t kLineKept = 200;

}  // namespace

void ChildMessages::add(std::string_view chunk)
{
    bytes_ += chunk.size();
    for (std::size_t end; (end = chunk.find('\n')) != std::string_view::npos; chunk.remove_prefix(end + 1)) {
        if (partial_.empty()) {
            addLine(chunk.substr(0, end));
        } else {
            partial_.append(chunk.substr(0, std::min(end, kLineKept)));
            addLine(partial_);
            partial_.clear();
        }
    }
    if (partial_.size() < kLineKept) partial_.append(chunk.substr(0, kLineKept - partial_.size()));
}

void ChildMessages::finish()
{
    if (!partial_.empty()) addLine(partial_);
    partial_.clear();
}

void ChildMessages::addLine(std::string_view line)
{
    ++lines_;
    line = line.substr(0, kLineKept);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    for (Message& message : distinct_) {
        if (message.text == line) {
            ++message.count;
            return;
        }
    }
    if (distinct_.size() < kDistinctKept)
        distinct_.push_back({std::string(line), 1});
    else
        ++otherLines_;
}

std::string ChildMessages::summary() const
{
    if (bytes_ == 0) return {};
    std::string text = std::to_string(lines_) + (lines_ == 1 ? " line" : " lines") + " (" + std::to_string(bytes_) + " bytes)";
    for (const Message& message : distinct_) {
        text += "\n  \"";
        // Control characters would garble a log line.
        for (char c : message.text) text.push_back(static_cast<unsigned char>(c) < 0x20 ? '?' : c);
        text += "\"";
        if (message.count > 1) text += " (" + std::to_string(message.count) + " times)";
    }
    if (otherLines_ > 0) text += "\n  and " + std::to_string(otherLines_) + " other lines";
    return text;
}

}  // namespace corvane::jet
