// Every case of the shared tables made with the operator's keys and clicks,
// and made again through the operator actions: the same outcome both ways.
#include "LiveOperatorFixture.h"

using namespace corvane::operator_test;

namespace {

class GridEditOnTheWindow : public LiveOperatorFixture, public ::testing::WithParamInterface<GridEditCase> {};
class SettingsOnTheWindow : public LiveOperatorFixture, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(GridEditOnTheWindow, ByKeys)
{
    editByKeys(1, GetParam().column, GetParam().typed);
    expectEdited(GetParam());
}

TEST_P(GridEditOnTheWindow, ByOperatorActions)
{
    editByActions(1, GetParam().column, GetParam().typed);
    expectEdited(GetParam());
    EXPECT_FALSE(child<QLineEdit>("txtEditInput").isVisible());
}

TEST_P(SettingsOnTheWindow, ByKeys)
{
    settingsByKeys(GetParam());
    expectHistory(GetParam());
}

TEST_P(SettingsOnTheWindow, ByOperatorActions)
{
    settingsByActions(GetParam());
    expectHistory(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Cases, GridEditOnTheWindow, ::testing::ValuesIn(gridEditCases()),
                         [](const auto& tested) { return caseName(tested.param); });
INSTANTIATE_TEST_SUITE_P(Cases, SettingsOnTheWindow, ::testing::ValuesIn(settingsCases()),
                         [](const auto& tested) { return caseName(tested.param); });

}  // namespace
