#include "ui/regulation/regulation_model.h"
#include "ui/regulation/regulation_window.h"
#include "ui/screenshots.h"
#include "ui/widgets_app.h"

#include "editing/editing_test_support.h"
#include "editing/network_edits.h"
#include "levels/calculo_niveles.h"
#include "levels/lista_errores.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/potenciometro.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QSlider>
#include <QValueAxis>

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

constexpr std::int32_t kAL5 = 100;

// AL-5 (record 100) in front of the multiswitch of a small trunk building: five visible gain controls
// G_SAT1, G_SAT2, G_TER1, G_SAT3, G_SAT4 at 75, 75, 50, 75, 75 % and the terrestrial mode slider "A/P".
class RegulationWindowTest : public EditingFixture {
protected:
    void SetUp() override {
        BuildNetwork(Shape(1, 2, 2, 2, 4, 1));
        multiswitch = ElementsOfClass<TMultiswitch>(*project).back();
        ASSERT_TRUE(editor->Apply(
            [&](EditJournal& j) { return InsertLineAmplifier(*project, *multiswitch, kAL5, j); }));
        amplifier = ElementsOfClass<TLinAmp>(*project).at(0);
        editor->MarkSaved();
    }

    std::size_t Labelled(const RegulationModel& model, const std::string& label) {
        for (std::size_t i = 0; i < model.Sliders().size(); ++i) {
            if (model.Sliders()[i].label == label) {
                return i;
            }
        }
        ADD_FAILURE() << "no slider " << label;
        return 0;
    }

    TMultiswitch* multiswitch = nullptr;
    TLinAmp* amplifier = nullptr;
};

TEST_F(RegulationWindowTest, ColumnsShareThePanelWithAMinimumWidth) {
    RegulationModel model(*project, *amplifier);
    ASSERT_EQ(model.Sliders().size(), 6u);
    EXPECT_EQ(model.ColumnWidth(700), 100);
    EXPECT_EQ(model.ColumnWidth(300), 70);
    EXPECT_FALSE(model.ForMultiswitch());
    if (Regulation::Regulable(*multiswitch)) {
        RegulationModel forMultiswitch(*project, *multiswitch);
        EXPECT_TRUE(forMultiswitch.ForMultiswitch());
        EXPECT_EQ(forMultiswitch.ColumnWidth(10), 52);
        forMultiswitch.Cancel();
    }
    model.Cancel();
}

TEST_F(RegulationWindowTest, EveryMoveRecalculatesAndTheOutletCountFollows) {
    RegulationModel model(*project, *amplifier);
    const std::size_t gain = Labelled(model, "G_SAT1");
    EXPECT_EQ(model.ValueText(gain), "75.0 %");
    EXPECT_EQ(model.ValueText(model.Sliders().size() - 1),
              "Mode " + std::to_string(amplifier->ModoterActual));
    EXPECT_EQ(model.ValueText(99), "");
    const double before = amplifier->PinAt(PinKind::Output, 0)->Levels()[4];
    const std::size_t opening = model.OutletsOutOfLimits();
    // Every satellite gain all the way down ("Equal value"): the outlets fed by the amplifier fall below
    // their satellite minimum.
    model.MoveSlider(gain, 1000);
    EXPECT_TRUE(model.Moved());
    EXPECT_EQ(model.ValueText(gain), "0.0 %");
    EXPECT_LT(amplifier->PinAt(PinKind::Output, 0)->Levels()[4], before);
    const std::size_t down = model.OutletsOutOfLimits();
    EXPECT_GT(down, 0u);
    // The count is that of a fresh level run of the network as it now stands.
    Recalcular(*project);
    EXPECT_EQ(RegistrosDeErrores(*project).size(), down);
    for (const RegulationSlider& slider : model.Sliders()) {
        if (slider.kind == RegulationSlider::Kind::Control && slider.sat) {
            EXPECT_EQ(slider.position, 1000) << slider.label;
        }
    }
    model.MoveSlider(gain, 250);
    EXPECT_EQ(model.OutletsOutOfLimits(), opening);
    model.Cancel();
}

TEST_F(RegulationWindowTest, OkIsOneUndoableStepAndWithoutAMoveNoStep) {
    const auto before = Bytes();
    {
        RegulationModel untouched(*project, *amplifier);
        EXPECT_FALSE(untouched.Confirm(*editor));
        EXPECT_EQ(editor->StepCount(), 1u);
    }
    RegulationModel model(*project, *amplifier);
    model.MoveSlider(Labelled(model, "G_TER1"), 900);
    model.MoveSlider(model.Sliders().size() - 1, 1);
    ASSERT_TRUE(model.Confirm(*editor));
    EXPECT_EQ(editor->StepCount(), 2u);
    const auto after = Bytes();
    EXPECT_NE(after, before);
    EXPECT_FALSE(model.MoveSlider(0, 0)) << "closed";
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(Bytes(), before);
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(Bytes(), after);
}

TEST_F(RegulationWindowTest, CancelPutsBackEveryControlTheModeAndTheLevels) {
    const auto before = Bytes();
    const std::size_t outOfLimits = RegistrosDeErrores(*project).size();
    RegulationModel model(*project, *amplifier);
    model.SetEqualValue(false);
    model.MoveSlider(Labelled(model, "G_SAT2"), 950);
    model.MoveSlider(Labelled(model, "G_TER1"), 700);
    model.MoveSlider(model.Sliders().size() - 1, 1);
    EXPECT_NE(Bytes(), before);
    model.Cancel();
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(RegistrosDeErrores(*project).size(), outOfLimits);
    EXPECT_EQ(editor->StepCount(), 1u) << "Cancel leaves the history alone";
}

TEST(RegulationColours, TheEightLineColoursAndBlack) {
    EXPECT_EQ(RegulationModel::ColourOf("red"), 0xFF0000u);
    EXPECT_EQ(RegulationModel::ColourOf("green"), 0x008000u);
    EXPECT_EQ(RegulationModel::ColourOf("fuchsia"), 0xFF00FFu);
    EXPECT_EQ(RegulationModel::ColourOf("aqua"), 0x00FFFFu);
    EXPECT_EQ(RegulationModel::ColourOf("purple"), 0x800080u);
    EXPECT_EQ(RegulationModel::ColourOf("black"), 0x000000u);
    EXPECT_EQ(RegulationModel::ColourOf("mauve"), 0x000000u);
}

TEST_F(RegulationWindowTest, TheWindowShowsSlidersAndChartAndFollowsEachMove) {
    EnsureWidgetsApplication();
    const auto before = Bytes();
    auto made = std::make_unique<RegulationModel>(*project, *amplifier);
    RegulationModel* model = made.get();
    RegulationWindow window(std::move(made), *editor, nullptr);
    int moves = 0;
    window.levelsChanged = [&] { ++moves; };
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Amplifier regulation [AL-5]"));
    ASSERT_EQ(window.SliderCount(), 6u);
    EXPECT_EQ(window.Slider(0)->objectName(), QStringLiteral("TRACKBAR1"));
    EXPECT_EQ(window.SliderLabel(0)->text(), QStringLiteral("G_SAT1"));
    EXPECT_EQ(window.SliderLabel(5)->text(), QStringLiteral("A/P"));
    EXPECT_EQ(window.Slider(0)->value(), 250);
    EXPECT_EQ(window.Slider(0)->maximum(), 1000);
    EXPECT_EQ(window.Slider(0)->size(), QSize(26, 105));
    EXPECT_TRUE(window.Slider(0)->invertedAppearance()) << "100 % at the top";
    EXPECT_FALSE(window.Slider(5)->invertedAppearance()) << "mode 1 at the top";
    EXPECT_TRUE(window.EqualValue()->isChecked());
    EXPECT_EQ(window.LevelAxis()->min(), 60.0);
    EXPECT_EQ(window.LevelAxis()->max(), 120.0);
    EXPECT_EQ(window.LevelAxis()->titleText(), QStringLiteral("Output level (dBuV)"));
    const std::vector<RegulationLine> lines = model->Lines();
    ASSERT_EQ(window.Series().size(), lines.size() + 1);
    EXPECT_EQ(window.Series().front()->name().toStdString(), lines.front().title);
    EXPECT_EQ(window.Series().front()->pen().color(), QColor(Qt::red));
    EXPECT_EQ(window.Series().back()->name(), QStringLiteral("MAX. OUTPUT "));
    EXPECT_EQ(window.Series().back()->pen().color(), QColor(Qt::black));
    EXPECT_EQ(window.Series().front()->count(), 7);
    window.show();
    SaveScreenshot(window, "regulation_window");

    // With "Equal value" the other satellite gains follow a move of one; the terrestrial one does not.
    window.Slider(0)->setValue(400);
    EXPECT_EQ(moves, 1);
    EXPECT_DOUBLE_EQ(model->Sliders()[0].control->Ajuste, 60.0);
    EXPECT_EQ(window.Slider(1)->value(), 400);
    EXPECT_EQ(window.Slider(2)->value(), 500);
    const LevelVector out = amplifier->PinAt(PinKind::Output, 0)->Levels();
    EXPECT_EQ(window.Series().front()->at(3), QPointF(950, out[4]));
    window.EqualValue()->setChecked(false);
    EXPECT_FALSE(model->EqualValue());
    window.Slider(1)->setValue(600);
    EXPECT_EQ(window.Slider(0)->value(), 400);
    const QRectF plot = window.Chart()->plotArea();
    const QPoint inside = window.ChartView()->mapFromScene(window.Chart()->mapToScene(plot.center()));
    EXPECT_TRUE(window.HintAt(inside).startsWith(QStringLiteral("Frecuencia: ")));

    window.reject();
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(editor->StepCount(), 1u);
}

TEST_F(RegulationWindowTest, OkInTheWindowLeavesOneStep) {
    EnsureWidgetsApplication();
    RegulationWindow window(std::make_unique<RegulationModel>(*project, *amplifier), *editor, nullptr);
    window.Slider(2)->setValue(800);
    window.accept();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(editor->StepCount(), 2u);
    EXPECT_TRUE(project->Modificado);
}

} // namespace
} // namespace ixo::test
