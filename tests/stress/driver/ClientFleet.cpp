#include "ClientFleet.h"

#include <QEventLoop>

#include <algorithm>

namespace corvane::stress {

ClientFleet::ClientFleet(QString program, QProcessEnvironment environment, std::uint64_t seed, int killEveryMinMs,
                         int killEveryMaxMs, QString route)
    : program_(std::move(program)),
      environment_(std::move(environment)),
      random_(seed),
      nextSeed_(seed * 1000),
      killEveryMinMs_(killEveryMinMs),
      killEveryMaxMs_(killEveryMaxMs),
      route_(std::move(route))
{
    killTimer_.setSingleShot(true);
    connect(&killTimer_, &QTimer::timeout, this, [this] {
        killOne();
        scheduleKill();
    });
}

ClientFleet::~ClientFleet() { stop(); }

void ClientFleet::start(int count)
{
    wanted_ = count;
    running_ = true;
    for (int i = 0; i < count; ++i) launch();
    scheduleKill();
}

void ClientFleet::scheduleKill()
{
    killTimer_.start(std::uniform_int_distribution<int>(killEveryMinMs_, killEveryMaxMs_)(random_));
}

void ClientFleet::launch()
{
    auto client = std::make_unique<Client>();
    const std::uint64_t seed = ++nextSeed_;
    const bool direct = route_ == QLatin1StringView("both") ? std::bernoulli_distribution(0.5)(random_)
                                                             : route_ == QLatin1StringView("direct");
    // Most clients are killed long before they get through their operations;
    // the short ones end by themselves, half of them without releasing.
    const long operations = std::uniform_int_distribution<long>(20, 3000)(random_);
    client->abandons = std::bernoulli_distribution(0.5)(random_);
    const QStringList arguments = {QStringLiteral("--seed"), QString::number(seed),
                                   QStringLiteral("--route"), direct ? QStringLiteral("direct") : QStringLiteral("bus"),
                                   QStringLiteral("--operations"), QString::number(operations),
                                   QStringLiteral("--ending"), client->abandons ? QStringLiteral("abandon") : QStringLiteral("release")};
    client->description = QStringLiteral("client %1 (%2)").arg(seed).arg(arguments.join(QLatin1Char(' ')));
    client->process = std::make_unique<QProcess>();
    client->process->setProcessEnvironment(environment_);
    client->process->setProcessChannelMode(QProcess::MergedChannels);
    Client* raw = client.get();
    connect(client->process.get(), &QProcess::finished, this, [this, raw] { ended(raw); });
    connect(client->process.get(), &QProcess::errorOccurred, this, [this, raw](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) ended(raw);
    });
    client->process->start(program_, arguments);
    ++figures_.started;
    if (direct) ++figures_.onDirectConnection;
    clients_.push_back(std::move(client));
}

void ClientFleet::killOne()
{
    std::vector<Client*> alive;
    for (const auto& client : clients_)
        if (client->process->state() == QProcess::Running && !client->killedByUs) alive.push_back(client.get());
    if (alive.empty()) return;
    Client* victim = alive[std::uniform_int_distribution<std::size_t>(0, alive.size() - 1)(random_)];
    victim->killedByUs = true;
    victim->process->kill();  // SIGKILL
}

void ClientFleet::ended(Client* client)
{
    QProcess& process = *client->process;
    if (client->killedByUs) {
        ++figures_.killed;
    } else if (process.error() == QProcess::FailedToStart) {
        figures_.failures.push_back(client->description + QStringLiteral(": did not start"));
    } else if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
        ++(client->abandons ? figures_.endedAbandoning : figures_.endedReleasing);
    } else {
        figures_.failures.push_back(QStringLiteral("%1: ended with status %2\n%3")
                                        .arg(client->description)
                                        .arg(process.exitStatus() == QProcess::CrashExit ? QStringLiteral("crash")
                                                                                         : QString::number(process.exitCode()))
                                        .arg(QString::fromLocal8Bit(process.readAll()).trimmed()));
    }
    const auto found = std::find_if(clients_.begin(), clients_.end(), [client](const auto& c) { return c.get() == client; });
    if (found != clients_.end()) {
        const std::unique_ptr<Client> gone = std::move(*found);
        clients_.erase(found);
        // We are inside one of its signals.
        gone->process.release()->deleteLater();
    }
    if (running_ && int(clients_.size()) < wanted_) launch();
}

void ClientFleet::stop()
{
    running_ = false;
    killTimer_.stop();
    for (const auto& client : clients_) {
        if (client->process->state() == QProcess::NotRunning) continue;
        client->killedByUs = true;
        client->process->kill();
    }
    while (!clients_.empty()) {
        // Each kill ends in `finished`, which takes the client off the list.
        QEventLoop loop;
        connect(clients_.front()->process.get(), &QProcess::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

}  // namespace corvane::stress
