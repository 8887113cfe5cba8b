#include "building/escalera.h"
#include "building/vivienda.h"
#include "editing/network_editor.h"
#include "model/toma_tv.h"
#include "ui/design_window_fixture.h"
#include "ui/errors/error_list_model.h"
#include "ui/errors/error_list_rows.h"
#include "ui/errors/error_list_window.h"
#include "ui/levels/levels_window.h"
#include "ui/tools/sheet_tools.h"

#include <QAction>
#include <QBrush>
#include <QTableView>

namespace ixo {
namespace {

TEST(ErrorListRows, TheErrorTextGivesTheWorstLevelsAboveFirst) {
    TNodoInfo record;
    record.Estado = 3;
    record.FlagsSatelite = 1;
    record.MaximoSatelite = 72.3;
    record.FlagsTerrestre = 2;
    record.MinimoTerrestre = 55.0;
    EXPECT_EQ(ErrorListRows::ErrorText(record), ">MAX(SAT:72.3) <MIN(TER:55.0)");
    record.Estado = 1;
    record.FlagsTerrestre = 1;
    record.MaximoTerrestre = 80.04;
    EXPECT_EQ(ErrorListRows::ErrorText(record), ">MAX(TER:80.0 SAT:72.3)");
    record.Estado = 2;
    record.FlagsSatelite = 2;
    record.FlagsTerrestre = 0;
    record.MinimoSatelite = 41.26;
    EXPECT_EQ(ErrorListRows::ErrorText(record), "<MIN(SAT:41.3)");
    record.Estado = 0;
    EXPECT_EQ(ErrorListRows::ErrorText(record), "");
}

TEST(ErrorListRows, WithoutAProjectTheListIsEmpty) {
    ErrorListRows rows;
    rows.Fill(nullptr, {}, {});
    EXPECT_EQ(rows.Count(), 0u);
    EXPECT_FALSE(rows.CanLocate());
    EXPECT_EQ(std::string(ErrorListRows::Captions()[4]), "Error");
}

class ErrorListTest : public test::DesignWindowTest {
protected:
    WizardResults Building() const override { return test::CascadeBuilding(); }
};

TEST_F(ErrorListTest, TheListShowsEveryFailingOutletThenThePoweringAndOverdriveProblems) {
    ASSERT_GT(window->OutletsOutOfLimits(), 0u);
    window->ShowErrorList();
    ErrorListWindow* list = window->ErrorList();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->windowTitle(), QStringLiteral("List of error level"));
    const ErrorListRows& rows = list->Rows();
    // One row per error record; the status counts each outlet once, and this building has one record
    // per failing outlet.
    EXPECT_EQ(rows.OutletCount(), window->OutletsOutOfLimits());
    EXPECT_EQ(list->Table()->model()->rowCount(), static_cast<int>(rows.Count()));
    std::size_t records = 0;
    for (const auto& stair : window->Project()->Escaleras()) {
        records += stair.Object->ErroresEscalera().Count();
    }
    EXPECT_EQ(rows.OutletCount(), records);
    const TNodoInfo& first = window->Project()->Escaleras()[0].Object->ErroresEscalera()[0];
    const auto texts = rows.Texts(0);
    EXPECT_EQ(texts[0], first.Toma->Name().substr(0, 1) + std::to_string(first.Toma->Numero_Interno()));
    EXPECT_EQ(texts[1], "FL" + std::to_string(first.Vivienda->Numero_Interno()));
    EXPECT_EQ(texts[2].rfind("FLOOR", 0), 0u);
    EXPECT_EQ(texts[3], "STAIR1");
    EXPECT_EQ(texts[4], ErrorListRows::ErrorText(first));
    // The Error column's colour: red 255 above the maximum, blue 128 below the minimum.
    const RowColour colour = rows.ErrorColour(0);
    EXPECT_EQ(colour.red, (first.Estado & 1) != 0 ? 255 : 0);
    EXPECT_EQ(colour.blue, (first.Estado & 2) != 0 ? 128 : 0);
    const QVariant brush =
        list->Table()->model()->data(list->Table()->model()->index(0, 4), Qt::ForegroundRole);
    EXPECT_EQ(brush.value<QBrush>().color(), QColor(colour.red, colour.green, colour.blue));
    for (std::size_t row = rows.OutletCount(); row < rows.Count(); ++row) {
        EXPECT_NE(rows.KindOf(row), ErrorListRows::Kind::Outlet);
        EXPECT_FALSE(rows.Texts(row)[4].empty());
    }
}

TEST_F(ErrorListTest, ADoubleClickLocatesTheOutletAndShowsItsLevels) {
    window->ShowErrorList();
    ErrorListWindow* list = window->ErrorList();
    ASSERT_GT(list->Rows().Count(), 0u);
    const TComponenteBase* outlet = list->Rows().ElementOf(0);
    list->ActivateRow(0);
    ASSERT_EQ(window->Selection().Items().size(), 1u);
    EXPECT_EQ(window->Selection().Items().front()->Element(), outlet);
    EXPECT_TRUE(window->Selection().Items().front()->Selected);
    EXPECT_TRUE(window->Levels()->isVisible());
    EXPECT_EQ(window->Tools().Current(), SheetTools::Regulate);
    // Locating again while the regulation tool is active turns it off.
    list->ActivateRow(0);
    EXPECT_EQ(window->Tools().Current(), SheetTools::None);
}

TEST_F(ErrorListTest, ADoubleClickBeforeTheCalculationDoesNothing) {
    window->ShowErrorList();
    ErrorListWindow* list = window->ErrorList();
    bool located = false;
    list->onLocate = [&located](const TComponenteBase*, const TPin*) { located = true; };
    window->Project()->finalizadocalculoTV = false;
    list->ActivateRow(0);
    EXPECT_FALSE(located);
    window->Project()->finalizadocalculoTV = true;
    list->ActivateRow(0);
    EXPECT_TRUE(located);
}

TEST_F(ErrorListTest, TheListEmptiesWhenTheProjectClosesAndWhenItIsClosed) {
    window->ShowErrorList();
    ErrorListWindow* list = window->ErrorList();
    ASSERT_GT(list->Rows().Count(), 0u);
    list->close();
    EXPECT_EQ(list->Rows().Count(), 0u);
    window->ShowErrorList();
    ASSERT_GT(list->Rows().Count(), 0u);
    window->CloseProject();
    EXPECT_EQ(list->Rows().Count(), 0u);
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(window->Action(QStringLiteral("Errorlevel"))->isEnabled());
}

} // namespace
} // namespace ixo
