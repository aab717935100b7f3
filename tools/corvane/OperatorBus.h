#pragma once

#include <QDBusConnection>
#include <QObject>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QDBusMessage;
class QEventLoop;

namespace corvane::cli {

// The emulator's operator controls (org.corvane.Operator1 on the session
// bus), in plain C++ types and UTF-8. The bus starts the emulator for the
// first call when it does not run. Failures throw CommandError.
class OperatorBus final : public QObject {
    Q_OBJECT

public:
    // On a connection of its own to the session bus.
    OperatorBus();
    // On a connection that the caller opened and keeps open.
    explicit OperatorBus(QDBusConnection connection);
    ~OperatorBus() override;

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
    // until the emulator ends. Needs a QCoreApplication.
    void followWriteLog(const std::function<void(const std::string&)>& print);

private slots:
    void writeLogGrown(const QString& added, qulonglong growths);

private:
    QDBusMessage call(const char* method, const QVariantList& arguments = {});

    QDBusConnection connection_;
    bool owned_;
    std::function<void(const std::string&)> follower_;
    qulonglong seen_ = 0;
};

}  // namespace corvane::cli
