#include "FakeConsole.h"

namespace corvane::testing {

FakeConsole::FakeConsole()
    : texts_{{Control::labelSampleFrequency, u"-"}, {Control::txtHistoryType, u"-"},
             {Control::labelNumSamples, u"-"},      {Control::txtTimeError, u"0"},
             {Control::txtPeriod, u"1234"}}
{
}

std::u16string FakeConsole::text(Control control) const
{
    const auto found = texts_.find(control);
    return found == texts_.end() ? std::u16string() : found->second;
}

void FakeConsole::setText(Control control, std::u16string_view text) { texts_[control] = text; }

void FakeConsole::appendText(Control control, std::u16string_view more)
{
    ++appendCalls;
    texts_[control] += more;
}

}  // namespace corvane::testing
