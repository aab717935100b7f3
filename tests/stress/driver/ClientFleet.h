#pragma once

#include <QObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

namespace corvane::stress {

// The stress clients: a number of client processes kept running, one killed
// (SIGKILL, mostly in the middle of a call) every so often and each replaced
// as soon as it has gone, whether killed or ended by itself.
class ClientFleet final : public QObject {
    Q_OBJECT

public:
    struct Figures {
        long started = 0;
        long killed = 0;
        long endedReleasing = 0;   // ran their operations, released everything, left
        long endedAbandoning = 0;  // ran their operations and left holding everything
        long onDirectConnection = 0;
        std::vector<QString> failures;  // clients that ended with a wrong answer or an unexplained error
    };

    // `route` is "bus", "direct" or "both".
    ClientFleet(QString program, QProcessEnvironment environment, std::uint64_t seed, int killEveryMinMs,
                int killEveryMaxMs, QString route);
    ~ClientFleet() override;

    // Keeps `count` clients running, killing one at random intervals.
    void start(int count);
    // Kills those still running and waits until every one has ended.
    void stop();

    const Figures& figures() const { return figures_; }

private:
    struct Client {
        std::unique_ptr<QProcess> process;
        QString description;
        bool abandons = false;
        bool killedByUs = false;
    };
    void launch();
    void killOne();
    void scheduleKill();
    void ended(Client* client);

    QString program_;
    QProcessEnvironment environment_;
    std::mt19937_64 random_;
    std::uint64_t nextSeed_;
    int killEveryMinMs_;
    int killEveryMaxMs_;
    QString route_;
    int wanted_ = 0;
    bool running_ = false;
    QTimer killTimer_;
    std::vector<std::unique_ptr<Client>> clients_;
    Figures figures_;
};

}  // namespace corvane::stress
