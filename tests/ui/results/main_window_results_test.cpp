#include "ui/levels/levels_window.h"
#include "ui/main/app_session.h"
#include "ui/main/main_window.h"
#include "ui/main/window_rules.h"
#include "ui/regulation/regulation_window.h"
#include "ui/results/result_windows.h"
#include "ui/widgets_app.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "editing/network_editor.h"
#include "editing/network_edits.h"
#include "editing/regulation.h"
#include "levels/lista_errores.h"
#include "levels/niveles_tomas.h"
#include "model/ampli_base.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "model/pin.h"
#include "settings/wizard_results.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QSlider>

#include <gtest/gtest.h>

namespace ixo {
namespace {

// One stair of two floors of two flats of two outlets, four polarities, the headend on the stair.
WizardResults SmallBuilding() {
    WizardResults r;
    r.Npolaridades = 4;
    r.Nverticales = 1;
    r.Nplantas = 2;
    r.VertHeader = 1;
    r.Nviv = 4;
    r.NoutletViv = 2;
    r.TipoDistribucionViv = 0;
    r.TipoDistribucionCab = 1;
    r.DisViv.assign(1, std::vector<std::int32_t>(2, 2));
    return r;
}

class MainWindowResultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureWidgetsApplication();
        std::string message;
        ASSERT_TRUE(session.Load(message)) << message;
        window = std::make_unique<MainWindow>(session);
        window->resize(1000, 700);
        window->show();
        QApplication::processEvents();
        ASSERT_TRUE(window->CreateProjectFromWizard(SmallBuilding()));
        ASSERT_NE(window->Editor(), nullptr);
    }
    void TearDown() override {
        if (window != nullptr && window->Project() != nullptr) {
            window->Project()->Modificado = false;
        }
        window.reset();
    }

    // A line amplifier in front of the top floor's multiswitch, inserted as the tool would.
    TLinAmp* LineAmplifier() {
        Tproyecto& project = *window->Project();
        TMultiswitch* target = nullptr;
        for (TPrimerComponente* child : project.RedTV().Components()) {
            if (auto* ms = child->As<TMultiswitch>()) {
                target = ms;
            }
        }
        if (target == nullptr || !window->Editor()->Apply([&](EditJournal& j) {
                return InsertLineAmplifier(project, *target, 100, j);
            })) {
            return nullptr;
        }
        for (TPrimerComponente* child : project.RedTV().Components()) {
            if (auto* amp = child->As<TLinAmp>()) {
                return amp;
            }
        }
        return nullptr;
    }

    AppSession session{test::BinDirectory()};
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowResultsTest, TheStatusBarCountFollowsEachRegulationMoveAndOkIsUndoable) {
    TLinAmp* amplifier = LineAmplifier();
    ASSERT_NE(amplifier, nullptr);
    // Limits every outlet meets, the satellite minimum 5 dB below the lowest satellite level found.
    Tproyecto& project = *window->Project();
    double lowest = 1e9;
    for (const NivelesToma& outlet : NivelesDeTomas(project)) {
        for (std::size_t band = 4; band < 8; ++band) {
            lowest = std::min(lowest, outlet.Recibido[band]);
        }
    }
    project.Preferencias().AsignarNiveles({{"TERR", -300.0, 300.0}, {"SAT", lowest - 5.0, 300.0}});
    window->Editor()->Recalculate();
    const std::size_t before = CountOutletsOutOfLimits(project);
    ASSERT_EQ(before, 0u);
    const std::size_t steps = window->Editor()->StepCount();
    std::size_t duringMove = 0;
    window->Results().runRegulation = [&](RegulationWindow& regulation) {
        // Every gain all the way down: the outlets behind the amplifier fall below their minimum.
        regulation.EqualValue()->setChecked(true);
        for (std::size_t i = 0; i < regulation.SliderCount(); ++i) {
            if (regulation.Model().Sliders()[i].kind == RegulationSlider::Kind::Control) {
                regulation.Slider(i)->setValue(1000);
            }
        }
        duringMove = window->OutletsOutOfLimits();
        EXPECT_EQ(duringMove, RegistrosDeErrores(*window->Project()).size());
        // The verdict, the new count and what followed the count, each once.
        const QString count = QString::fromStdString(OutletsOutOfLimitsText(duringMove));
        EXPECT_TRUE(window->StatusText().startsWith(QStringLiteral("Design fails: ") + count))
            << window->StatusText().toStdString();
        EXPECT_EQ(window->StatusText().count(QStringLiteral("out of limits")), 1)
            << window->StatusText().toStdString();
        regulation.accept();
        return static_cast<int>(QDialog::Accepted);
    };
    ASSERT_TRUE(window->Results().Regulate(*window->Project(), *window->Editor(), *amplifier));
    EXPECT_GT(duringMove, before);
    EXPECT_EQ(window->Editor()->StepCount(), steps + 1);
    EXPECT_EQ(window->OutletsOutOfLimits(), duringMove);
    window->Undo();
    EXPECT_EQ(window->OutletsOutOfLimits(), before);
    window->Redo();
    EXPECT_EQ(window->OutletsOutOfLimits(), duringMove);
}

TEST_F(MainWindowResultsTest, ClosingTheProjectEmptiesTheLevelsWindow) {
    Tproyecto& project = *window->Project();
    TPin* pin = nullptr;
    for (TPrimerComponente* child : project.RedTV().Components()) {
        if (auto* ms = child->As<TMultiswitch>(); ms != nullptr && !ms->PinesSALIDA().empty()) {
            pin = ms->PinesSALIDA().front();
        }
    }
    ASSERT_NE(pin, nullptr);
    window->Results().ShowLevels(project, *pin);
    EXPECT_TRUE(window->Results().Levels().isVisible());
    window->Project()->Modificado = false;
    ASSERT_TRUE(window->CloseProject());
    EXPECT_EQ(window->Results().Levels().Model().Pin(), nullptr);
    EXPECT_FALSE(window->Results().Levels().isVisible());
}

} // namespace
} // namespace ixo
