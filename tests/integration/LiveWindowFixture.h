#pragma once

#include "ErrorNumber.h"
#include "MemoryDataLayer.h"
#include "TextHelpers.h"
#include "automation/AutomationError.h"
#include "automation/Clock.h"
#include "automation/RegionalSettings.h"
#include "server/GridEditCommit.h"
#include "server/ServerProcess.h"
#include "server/TagStore.h"
#include "ui/MainWindow.h"
#include "ui/QtOperatorConsole.h"
#include "ui/TextGrid.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

// GoogleTest would print these as raw bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace corvane::testing {

// The object model over the real operator windows (offscreen), with an
// in-memory tag database and a clock standing at 6 December 2026 10:00:00.
class LiveWindowFixture : public ::testing::Test {
protected:
    explicit LiveWindowFixture(const automation::RegionalSettings& settings = automation::FixedRegionalSettings::english())
        : regional(settings)
    {
        dataLayer.putTagTable(u"/opt/corvane/Corvane.mdb", {{automation::Variant(u"TIC101.PV"), automation::Variant(42.5),
                                                             automation::Variant(95)},
                                                            {automation::Variant(u"10PT101"), automation::Variant(3.25),
                                                             automation::Variant(100)}});
        console.setConsoleEvents(&edits);
    }

    ui::MainWindow& window() const { return console.mainWindow(); }

    QString shown(const char* name) const
    {
        QWidget* widget = window().findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
        if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text();
        return QStringLiteral("<no control %1>").arg(QString::fromLatin1(name));
    }
    QString cell(int row, int col) const { return window().gridData().text(row, col); }

    static int errorNumberOf(const std::function<void()>& call) { return testing::errorNumberOf(call); }

    const automation::RegionalSettings& regional;
    ui::QtOperatorConsole console;
    MemoryDataLayer dataLayer;
    automation::SettableClock clock{{2026, 12, 6, 10, 0, 0}};
    TagStore tagStore{dataLayer, u"/opt/corvane", regional};
    ServerProcess process{console, tagStore, clock, regional};
    GridEditCommit edits{process};
};

}  // namespace corvane::testing
