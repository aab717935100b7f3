#pragma once

namespace corvane::ui {
class ExitQuestionAnswers;
}

namespace corvane::app {

// TEST HOOK, for the end-to-end tests only: when CORVANESIM_TEST_EXIT_ANSWER
// is "yes" or "no" (set only by the tests' bus service files), every exit
// question is answered so, the moment it shows, unless a program answered it
// on the operator interface. An operator never sets it; without it nothing
// changes.
class ExitQuestionTestHook final {
public:
    static constexpr char kVariable[] = "CORVANESIM_TEST_EXIT_ANSWER";

    static void installFromEnvironment(ui::ExitQuestionAnswers& answers);
};

}  // namespace corvane::app
