#include "ui/standard_choice.h"
#include "ui/standard_dialog.h"
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
}

} // namespace
} // namespace ixo
