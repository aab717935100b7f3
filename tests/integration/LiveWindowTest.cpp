// The object model driving the real operator windows.
#include "LiveWindowFixture.h"
#include "ExitQuestionAnswerer.h"
#include "automation/AutomationDate.h"
#include "server/SimServer.h"
#include "session/Data.h"
#include "tags/Tags.h"

#include <QCheckBox>
#include <QPlainTextEdit>

using namespace corvane;
using namespace corvane::testing;
using automation::Ref;
using automation::Variant;

namespace {

using LiveWindow = LiveWindowFixture;

double at(int h, int m, int s = 0) { return automation::date::fromLocal({2026, 12, 6, h, m, s}); }

}  // namespace

TEST_F(LiveWindow, FailedFirstStartShowsTheWindowAndTheNextStartServesMissingTags)
{
    dataLayer.databases.clear();
    EXPECT_THROW(Data::Create(process), automation::AutomationError);
    EXPECT_FALSE(process.ServerInstance);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(cell(0, 2), "Confidence");

    const Ref<Data> session = Data::Create(process);
    session->Tags()->Add(u"TIC101.PV", Variant::missing());
    EXPECT_EQ(cell(1, 1), "-999");
    EXPECT_EQ(cell(1, 2), "0");
}

TEST_F(LiveWindow, EchoesEverySettingOnTheMainWindow)
{
    const Ref<Data> session = Data::Create(process);
    session->setHostName(u"historian-01");
    session->Login(u"operator", u"secret");
    session->setSampleFrequency(60);
    session->setSampleMethod(u"Interpolated");
    session->setStartTime(Variant(u"NOW-60M"));
    session->setEndTime(Variant(u"NOW"));
    EXPECT_EQ(shown("txtTesselHost"), "historian-01");
    EXPECT_EQ(shown("txtUserName"), "operator");
    EXPECT_EQ(shown("txtPassword"), "secret");
    EXPECT_EQ(shown("labelSampleFrequency"), "60");
    EXPECT_EQ(shown("txtHistoryType"), "Interpolated");
    EXPECT_EQ(shown("labelStartTime"), "06 Dec 2026  09:00:00");
    EXPECT_EQ(shown("labelEndTime"), "06 Dec 2026  10:00:00");
    session->setSampleFrequency(-5);
    EXPECT_EQ(shown("labelSampleFrequency"), "60");
}

TEST_F(LiveWindow, MirrorsTheTagsOfEverySessionInTheOneGrid)
{
    const Ref<Data> first = Data::Create(process);
    first->Tags()->Add(u"TIC101.PV", Variant::missing());
    const Ref<Data> second = Data::Create(process);
    second->Tags()->Add(u"10PT101", Variant::missing());
    second->Tags()->Add(u"NOT.THERE", Variant::missing());
    EXPECT_EQ(window().gridData().rows(), 4);
    EXPECT_EQ(cell(1, 0), "TIC101.PV");
    EXPECT_EQ(cell(2, 1), "3.25");
    EXPECT_EQ(cell(3, 1), "-999");
    second->Tags()->Delete(Variant(1));
    EXPECT_EQ(cell(2, 0), "NOT.THERE");
    second->Tags()->RemoveAll();
    EXPECT_EQ(window().gridData().rows(), 1);
}

TEST_F(LiveWindow, WritesAreLoggedAndRefreshTheGrid)
{
    const Ref<Data> session = Data::Create(process);
    const Ref<Tag> tag = session->Tags()->Add(u"TIC101.PV", Variant::missing());
    clock.set({2026, 12, 6, 14, 3, 7});
    tag->Put0(Variant(123456789), Variant::missing(), Variant(80));
    tag->Put0(Variant(42.5), Variant::missing(), Variant::missing());
    const auto* log = window().findChild<QPlainTextEdit*>(QStringLiteral("txtWriteLog"));
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(console.text(Control::txtWriteLog),
              u"14:03:07: TIC101.PV = 1.234568E+08\r\n14:03:07: TIC101.PV = 42.5\r\n");
    EXPECT_EQ(cell(1, 1), "42.5");
    EXPECT_EQ(cell(1, 2), "100");
}

TEST_F(LiveWindow, ListsTheHistoryInTheDataWindowOnlyWhileItIsShown)
{
    const Ref<Data> session = Data::Create(process);
    const Ref<Tag> tag = session->Tags()->Add(u"TIC101.PV", Variant::missing());
    session->setStartTime(Variant::date(at(7, 0)));
    session->setEndTime(Variant::date(at(7, 1)));
    session->setSampleFrequency(60);
    Variant values, stamps, confidences;
    tag->UnpackResults(values, stamps, confidences);
    EXPECT_EQ(shown("labelNumSamples"), "2");
    EXPECT_EQ(console.text(Control::txtData), u"TIC101.PV\r\n");
    EXPECT_FALSE(console.dataWindowVisible());

    QTest::mouseClick(window().findChild<QWidget*>(QStringLiteral("cmdData")), Qt::LeftButton);
    ASSERT_TRUE(console.dataWindowVisible());
    window().findChild<QCheckBox*>(QStringLiteral("chkSineWave"))->setChecked(false);
    tag->UnpackResults(values, stamps, confidences);
    EXPECT_EQ(console.text(Control::txtData), u"TIC101.PV\r\n"
                                              u"06 Dec 26  07:00:00    42.50\r\n"
                                              u"06 Dec 26  07:01:00    42.50\r\n");
}

TEST_F(LiveWindow, ReadsTheOperatorsSynthesisSettingsFromTheWindow)
{
    const Ref<Data> session = Data::Create(process);
    const Ref<Tag> tag = session->Tags()->Add(u"TIC101.PV", Variant::missing());
    session->setStartTime(Variant::date(at(7, 0)));
    session->setEndTime(Variant::date(at(7, 0)));
    auto* timeError = window().findChild<QLineEdit*>(QStringLiteral("txtTimeError"));
    auto* period = window().findChild<QLineEdit*>(QStringLiteral("txtPeriod"));
    timeError->setText(QStringLiteral("abc"));
    period->setText(QStringLiteral("0"));
    Variant values, stamps, confidences;
    EXPECT_EQ(errorNumberOf([&] { tag->UnpackResults(values, stamps, confidences); }), 11);
    EXPECT_EQ(timeError->text(), "0");
    window().findChild<QCheckBox*>(QStringLiteral("chkSineWave"))->setChecked(false);
    EXPECT_EQ(errorNumberOf([&] { tag->UnpackResults(values, stamps, confidences); }), 0);
}

TEST_F(LiveWindow, ReleasingAClientsOwnServerAsksTheOperatorAndNoGoesOnServing)
{
    const Ref<Data> session = Data::Create(process);
    Ref<SimServer> own = SimServer::Create(process);
    {
        ui::test::ExitQuestionAnswerer answerer(QMessageBox::No);
        own.reset();
        EXPECT_EQ(answerer.answered(), 1);
    }
    EXPECT_TRUE(window().isVisible());
    session->Tags()->Add(u"10PT101", Variant::missing());
    EXPECT_EQ(cell(1, 1), "3.25");
}
