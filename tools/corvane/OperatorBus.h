#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

struct sd_bus;
struct sd_bus_message;

namespace corvane::cli {

// The emulator's operator controls (org.corvane.Operator1 on the session
// bus), in plain C++ types and UTF-8. The bus starts the emulator for the
// first call when it does not run. Failures throw CommandError.
class OperatorBus final {
public:
    // On a connection of its own to the session bus.
    OperatorBus();
    // On a connection of its own to the bus at `address`.
    explicit OperatorBus(const std::string& address);
    ~OperatorBus();
    OperatorBus(const OperatorBus&) = delete;
    OperatorBus& operator=(const OperatorBus&) = delete;

    void setSineWave(bool checked);
    void setPeriod(const std::string& text);
    void setTimeError(const std::string& text);
    void editCell(std::int32_t row, std::int32_t column, const std::string& text);
    void clearWriteLog();
    void answerExit(bool yes);

    std::string writeLog();
    std::vector<std::vector<std::string>> gridRows();
    std::vector<std::pair<std::string, std::string>> labels();
    std::string dataListing();

    // Hands `print` the write log, then what is added to it as it grows,
    // until the emulator ends.
    void followWriteLog(const std::function<void(const std::string&)>& print);

private:
    struct Reply;
    Reply call(const char* method, const std::function<void(sd_bus_message*)>& write = {});

    sd_bus* bus_ = nullptr;
};

}  // namespace corvane::cli
