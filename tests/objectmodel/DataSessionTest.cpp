#include "ObjectModelFixture.h"
#include "session/Data.h"
#include "tags/Tags.h"

using namespace corvane;
using namespace corvane::testing;
using automation::Ref;

namespace {

class DataSession : public ObjectModelFixture {
protected:
    std::u16string shown(Control control) const { return console.text(control); }
    Ref<Data> session = Data::Create(process);
};

}  // namespace

TEST_F(DataSession, LoginOnlyEchoesTheCredentials)
{
    session->Login(u"operator", u"secret");
    EXPECT_EQ(shown(Control::txtUserName), u"operator");
    EXPECT_EQ(shown(Control::txtPassword), u"secret");
}

TEST_F(DataSession, HostNameBelongsToTheSessionAndIsEchoed)
{
    session->setHostName(u"plant-historian");
    EXPECT_EQ(shown(Control::txtTesselHost), u"plant-historian");
    const Ref<Data> other = Data::Create(process);
    EXPECT_EQ(other->HostName(), u"");
    session->setHostName(u"");
    EXPECT_EQ(session->HostName(), u"");
    EXPECT_EQ(shown(Control::txtTesselHost), u"");
    // The operator's edits of the box never reach the session.
    console.setText(Control::txtTesselHost, u"typed");
    EXPECT_EQ(session->HostName(), u"");
}

TEST_F(DataSession, SampleFrequencyIsSharedAndIgnoresZeroAndNegatives)
{
    session->setSampleFrequency(60);
    EXPECT_EQ(shown(Control::labelSampleFrequency), u"60");
    session->setSampleFrequency(0);
    session->setSampleFrequency(-5);
    EXPECT_EQ(session->SampleFrequency(), 60);
    EXPECT_EQ(shown(Control::labelSampleFrequency), u"60");
    const Ref<Data> later = Data::Create(process);
    EXPECT_EQ(later->SampleFrequency(), 60);
    later->setSampleFrequency(1234567);
    EXPECT_EQ(session->SampleFrequency(), 1234567);
    EXPECT_EQ(shown(Control::labelSampleFrequency), u"1234567");  // no grouping
}

TEST_F(DataSession, OtherLetsStoreOnlyValuesInTheirRangeAndLeaveTheWindowAloneOtherwise)
{
    session->setSampleMethod(u"Interpolated");
    EXPECT_EQ(shown(Control::txtHistoryType), u"Interpolated");
    session->setSampleMethod(u"");
    EXPECT_EQ(session->SampleMethod(), u"Interpolated");
    EXPECT_EQ(shown(Control::txtHistoryType), u"Interpolated");

    session->setMinimumConfidence(0.5f);
    session->setMinimumConfidence(0);
    session->setMinimumConfidence(-1);
    session->setMinimumConfidence(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(session->MinimumConfidence(), 0.5f);

    session->setConnectionTimeout(5000);
    session->setConnectionTimeout(0);
    session->setConnectionTimeout(-1);
    EXPECT_EQ(session->ConnectionTimeout(), 5000);
    EXPECT_EQ(Data::Create(process)->ConnectionTimeout(), 0);  // per session
}

TEST_F(DataSession, FetchFlashesTheIndicatorAndChangesNoTag)
{
    const Ref<Tag> tag = session->Tags()->Add(u"TIC101.PV", automation::Variant::missing());
    session->Fetch();
    EXPECT_EQ(console.fetches, 1);
    EXPECT_EQ(tag->PV(), 42.5f);
}

TEST_F(DataSession, TagsIsTheSameCollectionEveryTime)
{
    EXPECT_EQ(session->Tags(), session->Tags());
    EXPECT_NE(session->Tags(), Data::Create(process)->Tags());
}
