#include "ui/charts/chart_texts.h"
#include "ui/levels/levels_model.h"
#include "ui/levels/levels_window.h"
#include "ui/screenshots.h"
#include "ui/widgets_app.h"

#include "common/decimal_text.h"
#include "editing/editing_test_support.h"
#include "editing/network_edits.h"
#include "levels/calculo_niveles.h"
#include "levels/polaridad_vivienda.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/potenciometro.h"
#include "model/toma_tv.h"
#include "support/temp_dir.h"

#include <QChartView>
#include <QComboBox>
#include <QFileInfo>
#include <QLineSeries>
#include <QPrinter>
#include <QTableWidget>
#include <QValueAxis>

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

// One stair, one floor, one flat of two star outlets, four polarities, fed by a floor multiswitch whose
// polarity gain controls are set apart, so that each polarity the flat selects brings other levels.
class LevelsTest : public EditingFixture {
protected:
    void SetUp() override {
        BuildNetwork(Shape(1, 1, 1, 2, 4, 1));
        Tvivienda* flat = project->ListaViviendas().Object(0);
        entry = EntradaDeVivienda(*flat);
        ASSERT_NE(entry, nullptr);
        ASSERT_NE(entry->Peer(), nullptr);
        auto* ms = TPrimerComponente::AsOrNull<TMultiswitch>(entry->Peer()->Owner());
        ASSERT_NE(ms, nullptr);
        if (ms->LPG().size() < 2) {
            ASSERT_TRUE(
                editor->Apply([&](EditJournal& j) { return ReplaceElement(*project, *ms, 202, 5010, j); }));
            ms = TPrimerComponente::AsOrNull<TMultiswitch>(entry->Peer()->Owner());
            ASSERT_NE(ms, nullptr);
        }
        ASSERT_GE(ms->LPG().size(), 2u);
        multiswitch = ms;
        for (std::size_t i = 0; i < ms->LPG().size(); ++i) {
            ms->LPG()[i].control->SetAjuste(100.0 - 20.0 * static_cast<double>(i));
        }
        Recalcular(*project);
        for (const auto& element : flat->ETV()) {
            if (auto* found = element.Object->As<TTomaTV>()) {
                outlet = found;
                break;
            }
        }
        ASSERT_NE(outlet, nullptr);
        tap = outlet->PinesDERIVACION().front();
    }

    TPin* entry = nullptr;
    TMultiswitch* multiswitch = nullptr;
    TTomaTV* outlet = nullptr;
    TPin* tap = nullptr;
};

TEST_F(LevelsTest, AnOutletShowsItsLevelsItsLimitsAndItsFlatsPolarity) {
    LevelsModel model;
    model.SetProject(project.get());
    model.ShowPin(*tap);
    Tvivienda* flat = project->ListaViviendas().Object(0);
    EXPECT_EQ(model.Caption(), "LEVELS IN " + outlet->Modelo + " [" + outlet->Name().substr(0, 1) +
                                   std::to_string(outlet->Numero_Interno()) + "] [TAP 1] FL" +
                                   std::to_string(flat->Numero_Interno()));
    EXPECT_TRUE(model.IsOutlet());
    EXPECT_EQ(model.PolarityItems(), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_TRUE(model.PolarityEnabled());
    EXPECT_EQ(model.SelectedPolarity(), entry->polaridad);
    EXPECT_EQ(model.Cell(0, 1), "175");
    EXPECT_EQ(model.Cell(0, 4), "950");
    EXPECT_EQ(model.Cell(0, 7), "2150");
    for (int column = 1; column < 8; ++column) {
        EXPECT_EQ(model.Cell(1, column), OneDecimalText(tap->Levels()[static_cast<std::size_t>(column)]));
    }
    ASSERT_EQ(model.LevelPoints().size(), 7u);
    EXPECT_EQ(model.LevelPoints().front(), (ChartPoint{175, tap->Levels()[1]}));
    EXPECT_EQ(model.LevelPoints().back(), (ChartPoint{2150, tap->Levels()[7]}));
    // The default limits: 60-80 dBµV terrestrial, 50-70 satellite, as steps between 862 and 862.1 MHz.
    ASSERT_EQ(model.MinimumLine().size(), 9u);
    EXPECT_EQ(model.MinimumLine()[0], (ChartPoint{47, 60}));
    EXPECT_EQ(model.MinimumLine()[3], (ChartPoint{862, 60}));
    EXPECT_EQ(model.MinimumLine()[4], (ChartPoint{862.1, 50}));
    EXPECT_EQ(model.MinimumLine()[8], (ChartPoint{2150, 50}));
    EXPECT_EQ(model.MaximumLine()[3], (ChartPoint{862, 80}));
    EXPECT_EQ(model.MaximumLine()[4], (ChartPoint{862.1, 70}));
    EXPECT_EQ(model.PrintTitle(), model.Caption() + " Polarity " + std::to_string(entry->polaridad + 1));
}

TEST_F(LevelsTest, ChoosingAPolarityRecomputesTheFlatAndShowsItsLevels) {
    LevelsModel model;
    model.SetProject(project.get());
    model.ShowPin(*tap);
    const int own = model.SelectedPolarity();
    const int other = own == 0 ? 1 : 0;
    const double before = tap->Levels()[4];
    ASSERT_TRUE(model.ChoosePolarity(other));
    EXPECT_EQ(entry->polaridad, other);
    EXPECT_EQ(entry->Peer()->polaridad, other);
    EXPECT_EQ(model.SelectedPolarity(), other);
    EXPECT_NE(tap->Levels()[4], before) << "the controls of the two polarities are 20 % apart";
    EXPECT_EQ(model.LevelPoints()[3].y, tap->Levels()[4]);
    EXPECT_EQ(model.Cell(1, 4), OneDecimalText(tap->Levels()[4]));
    // What the window shows is what a level run gives with the flat on that polarity.
    const LevelVector shown = tap->Levels();
    Recalcular(*project);
    EXPECT_EQ(tap->Levels(), shown);
    EXPECT_FALSE(model.ChoosePolarity(4)) << "outside the box";
    EXPECT_FALSE(model.ChoosePolarity(-1));
    EXPECT_EQ(entry->polaridad, other);
}

TEST_F(LevelsTest, AnotherElementsPinHasNoPolarityNorLimits) {
    LevelsModel model;
    model.SetProject(project.get());
    TPin* output = entry->Peer();
    model.ShowPin(*output);
    EXPECT_FALSE(model.IsOutlet());
    EXPECT_FALSE(model.PolarityEnabled());
    EXPECT_EQ(model.SelectedPolarity(), -1);
    EXPECT_EQ(model.PolarityItems().size(), 4u);
    EXPECT_TRUE(model.MinimumLine().empty());
    EXPECT_TRUE(model.MaximumLine().empty());
    EXPECT_EQ(model.LevelPoints().size(), 7u);
    const std::string kind = output->TipodePin == 'D' ? "TAP" : output->TipodePin == 'S' ? "OUT" : "IN";
    EXPECT_NE(model.Caption().find(" [" + kind + " " + std::to_string(output->Numeracion) + "]"),
              std::string::npos)
        << model.Caption();
    EXPECT_EQ(model.Caption().find(" FL"), std::string::npos) << "a floor element";
    EXPECT_EQ(model.PrintTitle(), model.Caption());
    EXPECT_FALSE(model.ChoosePolarity(1));
}

TEST_F(LevelsTest, ForgettingLeavesNothingShown) {
    LevelsModel model;
    model.SetProject(project.get());
    model.ShowPin(*tap);
    model.Forget();
    EXPECT_EQ(model.Caption(), "LEVELS");
    EXPECT_EQ(model.Pin(), nullptr);
    EXPECT_EQ(model.Project(), nullptr);
    EXPECT_TRUE(model.LevelPoints().empty());
    EXPECT_TRUE(model.MinimumLine().empty());
    EXPECT_EQ(model.Cell(1, 3), "");
    EXPECT_FALSE(model.ChoosePolarity(0));
}

TEST(ChartTexts, OneDecimalWithThousandsSeparated) {
    EXPECT_EQ(AxisText(1350.0), "1,350.0");
    EXPECT_EQ(AxisText(2150.04), "2,150.0");
    EXPECT_EQ(AxisText(-30.0), "-30.0");
    EXPECT_EQ(AxisText(123456.78), "123,456.8");
    EXPECT_EQ(AxisText(999.96), "1,000.0");
    EXPECT_EQ(AxisText(-0.04), "0.0");
    EXPECT_EQ(CrosshairHint(950, 45.26), "Frecuencia: 950.0 , Nivel: 45.3");
}

TEST_F(LevelsTest, TheWindowShowsTheGridTheChartAndFollowsThePolarityBox) {
    EnsureWidgetsApplication();
    LevelsWindow window(nullptr);
    int changes = 0;
    window.polarityChanged = [&] { ++changes; };
    window.SetProject(project.get());
    window.ShowPin(*tap);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle().toStdString(), window.Model().Caption());
    EXPECT_EQ(window.Grid()->item(0, 2)->text(), QStringLiteral("470"));
    EXPECT_EQ(window.Grid()->item(1, 2)->text().toStdString(), OneDecimalText(tap->Levels()[2]));
    EXPECT_EQ(window.LevelSeries()->count(), 7);
    EXPECT_EQ(window.LevelSeries()->pen().color(), QColor(Qt::red));
    EXPECT_EQ(window.MinimumSeries()->count(), 9);
    EXPECT_EQ(window.MaximumSeries()->at(8), QPointF(2150, 70));
    EXPECT_EQ(window.MaximumSeries()->pen().color(), QColor(Qt::black));
    EXPECT_EQ(window.LevelAxis()->min(), -30.0);
    EXPECT_EQ(window.LevelAxis()->max(), 120.0);
    EXPECT_EQ(window.LevelAxis()->titleText(), QStringLiteral("Level (dBuV)"));
    EXPECT_EQ(window.FrequencyAxis()->titleText(), QStringLiteral("Frequency (MHz)"));
    // Every frequency label is drawn whole: no label is cut to "10..." beside its neighbours.
    EXPECT_LE(window.FrequencyAxis()->tickCount(), 7);
    EXPECT_GE(window.FrequencyAxis()->max(), 2150.0);
    ASSERT_EQ(window.PolarityBox()->count(), 4);
    EXPECT_TRUE(window.PolarityBox()->isEnabled());
    EXPECT_EQ(window.PolarityBox()->currentIndex(), entry->polaridad);
    window.resize(640, 520);
    SaveScreenshot(window, "levels_window");

    const int other = entry->polaridad == 0 ? 1 : 0;
    window.PolarityBox()->setCurrentIndex(other);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(entry->polaridad, other);
    EXPECT_EQ(window.LevelSeries()->at(3).y(), tap->Levels()[4]);

    const QRectF plot = window.ChartView()->chart()->plotArea();
    const QPoint inside =
        window.ChartView()->mapFromScene(window.ChartView()->chart()->mapToScene(plot.center()));
    EXPECT_TRUE(window.HintAt(inside).startsWith(QStringLiteral("Frecuencia: ")));
    EXPECT_TRUE(window.HintAt(QPoint(1, 1)).isEmpty()) << "outside the plot";

    TempDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = QString::fromStdString((dir.Path() / "levels.pdf").string());
    printer.setOutputFileName(file);
    EXPECT_TRUE(window.PrintTo(printer));
    EXPECT_GT(QFileInfo(file).size(), 1000);

    TPin* output = entry->Peer();
    window.ShowPin(*output);
    EXPECT_FALSE(window.PolarityBox()->isEnabled());
    EXPECT_EQ(window.PolarityBox()->currentIndex(), -1);
    EXPECT_EQ(window.MinimumSeries()->count(), 0);
    window.close();
    EXPECT_EQ(window.Model().Pin(), nullptr);
    EXPECT_EQ(window.LevelSeries()->count(), 0);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("LEVELS"));
}

} // namespace
} // namespace ixo::test
