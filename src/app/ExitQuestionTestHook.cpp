#include "ExitQuestionTestHook.h"

#include "ui/ExitQuestionAnswers.h"

#include <QByteArray>

namespace corvane::app {

void ExitQuestionTestHook::installFromEnvironment(ui::ExitQuestionAnswers& answers)
{
    const QByteArray value = qgetenv(kVariable).toLower();
    if (value == "yes" || value == "no") answers.answerAlways(value == "yes");
}

}  // namespace corvane::app
