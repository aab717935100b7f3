#pragma once

#include "LiveWindowFixture.h"
#include "OperatorCases.h"

#include "automation/SafeArray.h"
#include "session/Data.h"
#include "tags/Tags.h"
#include "ui/QtOperatorActions.h"

#include <QCheckBox>
#include <QPlainTextEdit>

namespace corvane::operator_test {

// The object model over the real windows (offscreen) with the operator's
// actions beside it, a session over 6 December 2026 09:00 to 09:05 at 15 s,
// and two tags: TIC101.PV (42.5, confidence 95) in row 1 and 10PT101 in row 2.
class LiveOperatorFixture : public testing::LiveWindowFixture {
protected:
    void SetUp() override
    {
        console.showMainWindow();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        session = Data::Create(process);
        session->setStartTime(automation::Variant::date(kStart));
        session->setEndTime(automation::Variant::date(kStart + 300.0 / 86400));
        session->setSampleFrequency(15);
        tag = session->Tags()->Add(u"TIC101.PV", automation::Variant::missing());
        other = session->Tags()->Add(u"10PT101", automation::Variant::missing());
    }

    template <class Widget>
    Widget& child(const char* name) const
    {
        auto* widget = window().findChild<Widget*>(QString::fromLatin1(name));
        if (widget == nullptr) throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }

    // The operator's own keys and clicks.
    void clickCell(int row, int column, bool twice = false) const
    {
        ui::TextGrid& grid = window().gridData();
        QWidget& viewport = *grid.findChild<QTableView*>()->viewport();
        const QPoint centre = viewport.mapFrom(&grid, grid.cellRect(row, column).center());
        QTest::mouseClick(&viewport, Qt::LeftButton, {}, centre);
        // Item views take a lone double-click for a press.
        if (twice) QTest::mouseDClick(&viewport, Qt::LeftButton, {}, centre);
    }
    void editByKeys(int row, int column, const std::string& text)
    {
        clickCell(row, column, true);
        replaceTextByKeys(*QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    void settingsByKeys(const SettingsCase& settings)
    {
        auto& sine = child<QCheckBox>("chkSineWave");
        if (sine.isChecked() != settings.sineWave) QTest::mouseClick(&sine, Qt::LeftButton);
        replaceTextByKeys(child<QLineEdit>("txtPeriod"), settings.period);
        replaceTextByKeys(child<QLineEdit>("txtTimeError"), settings.timeError);
    }
    static void replaceTextByKeys(QWidget& box, const std::string& text)
    {
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_End);
        QTest::keyClick(&box, Qt::Key_Home, Qt::ShiftModifier);
        if (text.empty())
            QTest::keyClick(&box, Qt::Key_Delete);
        else
            QTest::keyClicks(&box, QString::fromStdString(text));
    }

    // The same through the operator actions.
    void editByActions(int row, int column, const std::string& text)
    {
        ASSERT_TRUE(actions.editCell(row, column, QString::fromStdString(text).toStdU16String()));
    }
    void settingsByActions(const SettingsCase& settings)
    {
        actions.setSineWave(settings.sineWave);
        actions.typePeriod(QString::fromStdString(settings.period).toStdU16String());
        actions.typeTimeError(QString::fromStdString(settings.timeError).toStdU16String());
    }

    // What a case leaves in row 1 and its tag, TIC101.PV (42.5, confidence 95).
    void expectEdited(const GridEditCase& edit) const
    {
        operator_test::expectEdited(edit, cell(1, edit.column).toStdString(), {tag->PV(), tag->Confidence()}, {42.5f, 95});
    }
    void expectHistory(const SettingsCase& settings)
    {
        automation::Variant values, stamps, confidences;
        HistorySeen seen;
        seen.errorNumber = errorNumberOf([&] { tag->UnpackResults(values, stamps, confidences); });
        seen.timeErrorShown = shown("txtTimeError").toStdString();
        if (seen.errorNumber == 0) {
            seen.values = values.array()->elements<float>();
            seen.timestamps = stamps.array()->elements<double>();
        }
        operator_test::expectHistory(settings, seen, 42.5f);
    }

    ui::QtOperatorActions actions{console};
    automation::Ref<Data> session;
    automation::Ref<Tag> tag;
    automation::Ref<Tag> other;
};

}  // namespace corvane::operator_test
