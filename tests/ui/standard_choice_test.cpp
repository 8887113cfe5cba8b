#include "ui/project/standard_choice.h"
#include "ui/project/standard_dialog.h"
#include "widgets_app.h"

#include <QComboBox>
#include <QLineEdit>

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

class StandardChoiceTest : public test::ProjectFixture {
protected:
    void SetUp() override {
        Build(test::BuildingShape{});
        project->Modificado = false;
    }
};

TEST_F(StandardChoiceTest, StartsFromTheProjectAndSetsThePresetsWindow) {
    StandardChoice choice(*project);
    EXPECT_EQ(choice.Selected(), 0);
    ASSERT_GE(choice.Choices().size(), 6u);
    EXPECT_EQ(choice.Choices()[0], "None");
    EXPECT_EQ(choice.Choices()[2], "ICT (Spain)");
    EXPECT_EQ(choice.AntennaLevelText(), "60.0");
    choice.Select(2);
    EXPECT_EQ(choice.WindowText(), "TER 47.0-70.0 dBµV, SAT 47.0-77.0 dBµV; C/N at least 25.0 / 11.0 dB");
    choice.SetAntennaLevelText("52,5");
    choice.SetLnbCnText("14");
    ASSERT_TRUE(choice.Apply(*project));
    EXPECT_TRUE(project->Modificado);
    EXPECT_EQ(project->Quality().standard, "ICT");
    EXPECT_DOUBLE_EQ(project->Quality().terrestrialAntennaLevel, 52.5);
    EXPECT_EQ(project->Quality().satelliteLnbCn, (std::array<double, 4>{14, 14, 14, 14}));
    EXPECT_DOUBLE_EQ(project->Preferencias().Minimo(0), 47.0);
    EXPECT_DOUBLE_EQ(project->Preferencias().Maximo(0), 70.0);
    EXPECT_DOUBLE_EQ(project->Preferencias().Maximo(1), 77.0);

    // Opening the dialog again shows the project's choice; nothing changed, nothing applied.
    StandardChoice again(*project);
    EXPECT_EQ(again.Selected(), 2);
    project->Modificado = false;
    EXPECT_FALSE(again.Apply(*project));
    EXPECT_FALSE(project->Modificado);
}

TEST_F(StandardChoiceTest, InvalidValuesChangeNothing) {
    StandardChoice choice(*project);
    choice.Select(1);
    choice.SetAntennaLevelText("high");
    EXPECT_EQ(choice.Problem(), "The antenna level must be a number from -50.0 to 150.0 dBµV");
    EXPECT_FALSE(choice.Apply(*project));
    EXPECT_TRUE(project->Quality().IsDefault());
    EXPECT_FALSE(project->Modificado);
    choice.SetAntennaLevelText("60");
    choice.SetLnbCnText("900");
    EXPECT_EQ(choice.Problem(), "The LNB C/N must be a number from -50.0 to 150.0 dB");
}

TEST_F(StandardChoiceTest, CustomKeepsTheProjectsLimits) {
    const double minimum = project->Preferencias().Minimo(0);
    StandardChoice choice(*project);
    choice.Select(static_cast<int>(choice.Choices().size()) - 1);
    ASSERT_TRUE(choice.Apply(*project));
    EXPECT_EQ(project->Quality().standard, "Custom");
    EXPECT_DOUBLE_EQ(project->Preferencias().Minimo(0), minimum);
}

// One LNB C/N per IF band, as --lnb-cn takes them; the single figure stays the quick way to set all four.
TEST_F(StandardChoiceTest, TheLnbCnIsGivenPerBand) {
    project->Quality().satelliteLnbCn = {16.0, 15.0, 14.25, 13.0};
    StandardChoice choice(*project);
    EXPECT_EQ(choice.LnbCnText(), ""); // the four differ
    EXPECT_EQ(choice.LnbCnBandText(1), "15.0");
    EXPECT_EQ(choice.LnbCnBandText(2), "14.2");
    choice.SetLnbCnBandText(0, "17,5");
    choice.SetLnbCnBandText(3, "12");
    ASSERT_TRUE(choice.Apply(*project));
    // The bands typed take their figures; the band left alone keeps its exact figure (14.25, shown 14.2).
    EXPECT_EQ(project->Quality().satelliteLnbCn, (std::array<double, 4>{17.5, 15.0, 14.25, 12.0}));

    choice.SetLnbCnBandText(2, "noisy");
    EXPECT_EQ(choice.Problem(), "The LNB C/N at 1750 MHz must be a number from -50.0 to 150.0 dB");
    choice.SetLnbCnText("11");
    EXPECT_FALSE(choice.Problem());
    for (std::size_t band = 0; band < StandardChoice::kLnbBands; ++band) {
        EXPECT_EQ(choice.LnbCnBandText(band), "11") << band;
    }
    ASSERT_TRUE(choice.Apply(*project));
    EXPECT_EQ(project->Quality().satelliteLnbCn, (std::array<double, 4>{11, 11, 11, 11}));
    EXPECT_EQ(StandardChoice(*project).LnbCnText(), "11.0");
}

// The dialog shows the project's choices and passes what is typed and chosen to its rules.
TEST_F(StandardChoiceTest, TheDialogFeedsItsRules) {
    test::EnsureWidgetsApplication();
    project->Quality().standard = "UK";
    StandardDialog dialog(nullptr, *project);
    EXPECT_EQ(dialog.StandardBox()->currentText().toStdString(), "UK practice");
    EXPECT_EQ(dialog.AntennaEdit()->text().toStdString(), "60.0");
    dialog.StandardBox()->setCurrentIndex(1);
    dialog.AntennaEdit()->setText(QStringLiteral("48"));
    dialog.LnbEdit()->setText(QStringLiteral("13,5"));
    EXPECT_EQ(dialog.Choice().Selected(), 1);
    ASSERT_TRUE(dialog.Choice().Apply(*project));
    EXPECT_EQ(project->Quality().standard, "EN60728-1");
    EXPECT_DOUBLE_EQ(project->Quality().terrestrialAntennaLevel, 48.0);
    EXPECT_DOUBLE_EQ(project->Quality().satelliteLnbCn[3], 13.5);
    // The single figure filled the four band fields; one band changed alone keeps the others.
    for (std::size_t band = 0; band < StandardChoice::kLnbBands; ++band) {
        EXPECT_EQ(dialog.LnbBandEdit(band)->text().toStdString(), "13,5") << band;
    }
    dialog.LnbBandEdit(3)->setText(QStringLiteral("10"));
    ASSERT_TRUE(dialog.Choice().Apply(*project));
    EXPECT_EQ(project->Quality().satelliteLnbCn, (std::array<double, 4>{13.5, 13.5, 13.5, 10.0}));
}

} // namespace
} // namespace ixo
