#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>
#include <vector>

namespace corvane::ui {

// Answers the exit question in the operator's place, by a click on its Yes or
// No once the box shows, for programs that have said how: once, for the
// question that is open or else the next one, or for every question (the
// end-to-end tests' standing answer). A one-time answer goes first. Watches
// the application's events for the box.
class ExitQuestionAnswers final : public QObject {
public:
    enum class Kind { Once, Standing };
    // Told of each answer given, as it is given.
    using Announce = std::function<void(bool yes, Kind kind)>;
    // Told of a question that shows with no answer given: it waits for the operator.
    using Waiting = std::function<void()>;

    ExitQuestionAnswers();
    ~ExitQuestionAnswers() override;
    ExitQuestionAnswers(const ExitQuestionAnswers&) = delete;
    ExitQuestionAnswers& operator=(const ExitQuestionAnswers&) = delete;

    void answerOnce(bool yes);
    void answerAlways(bool yes);
    void setAnnounce(Announce announce) { announce_ = std::move(announce); }
    void setWaiting(Waiting waiting) { waiting_ = std::move(waiting); }

    // Whether a question is showing and has no answer on its way.
    bool questionOpen() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Shown {
        QPointer<QMessageBox> box;
        bool answered = false;
    };
    Shown* openQuestion() const;
    void answer(Shown& question, bool yes, Kind kind);

    std::optional<bool> once_;
    std::optional<bool> standing_;
    Announce announce_;
    Waiting waiting_;
    // Questions can nest (a release while one is open asks again); the last is on top.
    mutable std::vector<Shown> shown_;
};

}  // namespace corvane::ui
