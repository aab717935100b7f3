#pragma once

#include <string>

struct sd_bus;

namespace corvane::bench {

// A caller on sd-bus alone, on this thread, as the client library calls:
// Tags.Count's Invoke built afresh for each call and its reply read, on the
// bus (to the server's name) or on the direct connection.
class SdBusCaller {
public:
    enum class Kind { Bus, Peer };

    SdBusCaller(const std::string& address, Kind kind);
    ~SdBusCaller();
    SdBusCaller(const SdBusCaller&) = delete;
    SdBusCaller& operator=(const SdBusCaller&) = delete;

    bool connected() const { return bus_ != nullptr; }
    // Invoke(Count, property get) on the Tags object at `path`; false unless it answers 0 and a Long.
    bool tagsCount(const std::string& destination, const std::string& path);

private:
    sd_bus* bus_ = nullptr;
};

}  // namespace corvane::bench
