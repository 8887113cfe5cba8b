#include "catalogue/catalogue_lookups.h"
#include "settings/settings_file.h"
#include "support/project_fixture.h"
#include "support/temp_dir.h"
#include "ui/configuration/configuration_dialog.h"
#include "ui/configuration/configuration_rules.h"
#include "ui/widgets_app.h"

#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace ixo {
namespace {

int Field(std::string_view name) {
    const int index = ConfigurationRules::CatalogueFieldIndex(name);
    EXPECT_GE(index, 0) << name;
    return index;
}

int NumberField(std::string_view key) {
    const auto fields = ConfigurationRules::NumberFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].key == key) {
            return static_cast<int>(i);
        }
    }
    ADD_FAILURE() << key;
    return 0;
}

class ConfigurationRulesTest : public ::testing::Test {
protected:
    void SetUp() override { rules.Load(DefaultSettings(), DefaultLevelLimits(), "/home/u/projects"); }
    const TCatalogo& Catalogue() { return *test::DemoStore().Catalogue(); }

    ConfigurationRules rules{&test::DemoStore(), '.'};
    test::TempDir dir;
};

TEST_F(ConfigurationRulesTest, EverySettingOfTheDialogIsAFieldOfTheSettings) {
    // The catalogue fields cover the families and models the Part's pages name, once each.
    std::set<std::string_view> keys;
    for (const auto& field : ConfigurationRules::CatalogueFields()) {
        EXPECT_TRUE(keys.insert(field.familyKey).second) << field.familyKey;
        if (!field.modelKey.empty()) {
            EXPECT_TRUE(keys.insert(field.modelKey).second) << field.modelKey;
        }
    }
    for (const auto& field : ConfigurationRules::NumberFields()) {
        keys.insert(field.key);
    }
    keys.insert("INJECTOR");
    keys.insert("FINALCASCADEEL");
    keys.insert("TERRESTRIAL_AMP");
    // Every setting but none: the dialog edits the whole record.
    EXPECT_EQ(keys.size(), 41u);
    EXPECT_EQ(ConfigurationRules::PageNames().size(), 6u);
}

TEST_F(ConfigurationRulesTest, FieldsShowFamilyOrModelNamesFromTheCatalogue) {
    EXPECT_EQ(rules.FieldText(Field("BeMs8pol")), FamilyName(Catalogue(), 5023));
    EXPECT_EQ(rules.Model(Field("BeMs8pol")), -1);
    EXPECT_EQ(rules.FieldText(Field("BeCable")), ModelName(Catalogue(), 24, 9001));
    EXPECT_EQ(rules.Model(Field("BEPI")), 200);
    EXPECT_EQ(rules.FieldText(Field("BEPI")), "IP-18");
    ConfigurationRules bare(nullptr, '.');
    EXPECT_EQ(bare.FieldText(Field("BEPI")), "family 7500, model 200") << "no catalogue: the numbers";
}

TEST_F(ConfigurationRulesTest, TheSelfPoweredCascadeFamilyBringsItsPowerUnitsAndAmplifier) {
    rules.Choose(Field("BEMsCas"), 5005, -1);
    EXPECT_EQ(rules.Family(Field("BEMsCas")), 5005);
    EXPECT_EQ(rules.Family(Field("BEPI")), 7500);
    EXPECT_EQ(rules.Model(Field("BEPI")), 201);
    EXPECT_EQ(rules.Family(Field("BEPS")), 7001);
    EXPECT_EQ(rules.Model(Field("BEPS")), FirstIndiceOfFamily(Catalogue(), 7001));
    EXPECT_EQ(rules.Family(Field("BEAMPFI")), 4930);
    EXPECT_EQ(rules.Model(Field("BEAMPFI")), FirstIndiceOfFamily(Catalogue(), 4930));
    EXPECT_EQ(rules.FieldText(Field("BEPI")), "IP-24R");
    ASSERT_EQ(rules.CascadeEndItems().size(), 2u);
    // Back to a passive family: the standard units.
    rules.Choose(Field("BEMsCas"), 5001, -1);
    EXPECT_EQ(rules.Model(Field("BEPI")), FirstIndiceOfFamily(Catalogue(), 7500));
    EXPECT_EQ(rules.Family(Field("BEPS")), 7000);
    EXPECT_EQ(rules.Model(Field("BEPS")), 2);
    EXPECT_EQ(rules.Family(Field("BEAMPFI")), 4925);
    EXPECT_EQ(rules.Model(Field("BEAMPFI")), FirstIndiceOfFamily(Catalogue(), 4925));
}

TEST_F(ConfigurationRulesTest, TheEightPolarityFamilyAndItsAmplifierFollowEachOther) {
    rules.Choose(Field("BEFAMCAS8"), 5210, -1);
    EXPECT_EQ(rules.Family(Field("BEAMPFI8")), 41100);
    EXPECT_EQ(rules.Model(Field("BEAMPFI8")), FirstIndiceOfFamily(Catalogue(), 41100));
    rules.Choose(Field("BEAMPFI8"), 41000, 2000);
    EXPECT_EQ(rules.Family(Field("BEFAMCAS8")), 5200);
    EXPECT_EQ(rules.Model(Field("BEAMPFI8")), 2000);
    // A model of -1 (the explorer chose a family only) keeps the field's model.
    rules.Choose(Field("BeCable"), 9001, -1);
    EXPECT_EQ(rules.Model(Field("BeCable")), 24);
    rules.Choose(Field("BeCable"), 9001, 30);
    EXPECT_EQ(rules.Record().Viv_ModeloCable, 30);
}

TEST_F(ConfigurationRulesTest, TheCascadeEndOffersTheFamilysFirstTwoModelsAndKeepsTheWantedOne) {
    SettingsRecord record = DefaultSettings();
    record.DIS_Final_CAscada = 1;
    rules.Load(record, DefaultLevelLimits(), "/p");
    const auto items = rules.CascadeEndItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_NE(items[0], items[1]);
    EXPECT_EQ(rules.CascadeEnd(), 1);
    record.DIS_Final_CAscada = 5; // beyond the items: the last one
    rules.Load(record, DefaultLevelLimits(), "/p");
    EXPECT_EQ(rules.CascadeEnd(), 1);
    EXPECT_EQ(rules.PowerAtCascadeEnd(), 1);
    rules.SetPowerAtCascadeEnd(0);
    EXPECT_EQ(rules.Record().ConInyector, 0);
}

TEST_F(ConfigurationRulesTest, NumbersAreRefusedWithTheSettingsOwnRanges) {
    const int floor = NumberField("D_FLOOR");
    EXPECT_EQ(rules.NumberText(floor), "3.0");
    EXPECT_EQ(rules.NumberProblem(floor, "abc"), "not a number");
    EXPECT_EQ(rules.NumberProblem(floor, ""), "not a number");
    ASSERT_TRUE(rules.NumberProblem(floor, "2000"));
    EXPECT_NE(rules.NumberProblem(floor, "2000")->find("from 0 to 1000 m"), std::string::npos);
    EXPECT_TRUE(rules.NumberProblem(floor, "-1"));
    EXPECT_FALSE(rules.SetNumberText(floor, "2000"));
    EXPECT_EQ(rules.Record().DistanciaPlantas, 3.0) << "nothing changed";
    EXPECT_TRUE(rules.SetNumberText(floor, "2.8"));
    EXPECT_EQ(rules.Record().DistanciaPlantas, 2.8);
    ASSERT_TRUE(rules.NumberProblem(NumberField("LV_FI"), "150"));
    EXPECT_NE(rules.NumberProblem(NumberField("LV_FI"), "150")->find("dBµV"), std::string::npos);
    ConfigurationRules comma(nullptr, ',');
    comma.Load(DefaultSettings(), DefaultLevelLimits(), "/p");
    EXPECT_TRUE(comma.SetNumberText(floor, "3,5"));
    EXPECT_EQ(comma.Record().DistanciaPlantas, 3.5);
}

TEST_F(ConfigurationRulesTest, LevelCellsStayWithinZeroTo125WithTheMinimumAtMostTheMaximum) {
    EXPECT_EQ(rules.LimitText(0, 0), "TERR");
    EXPECT_EQ(rules.LimitText(0, 1), "60.0");
    EXPECT_EQ(rules.LimitText(1, 2), "70.0");
    auto check = rules.CheckLimitCell(0, 1, "90"); // max 80
    EXPECT_FALSE(check.valid);
    EXPECT_EQ(check.message, "Min is greater than Max.");
    check = rules.CheckLimitCell(0, 2, "130");
    EXPECT_FALSE(check.valid);
    EXPECT_EQ(check.message, " Value must be between 0 and 125");
    check = rules.CheckLimitCell(0, 2, "-1");
    EXPECT_EQ(check.message, " Value must be between 0 and 125");
    check = rules.CheckLimitCell(0, 2, "x");
    EXPECT_FALSE(check.valid);
    EXPECT_TRUE(check.message.empty()) << "not a number: invalid without a message";
    EXPECT_FALSE(rules.CheckLimitCell(0, 0, "60").valid) << "the name column is not a level";
    EXPECT_FALSE(rules.SetLimitCell(0, 1, "90"));
    EXPECT_EQ(rules.Limits()[0].minimum, 60.0);
    EXPECT_TRUE(rules.SetLimitCell(0, 1, "80"));
    EXPECT_EQ(rules.Limits()[0].minimum, 80.0) << "equal to the maximum is allowed";
}

TEST_F(ConfigurationRulesTest, OkWritesWhatTheSettingsReadBack) {
    const std::filesystem::path file = dir / "Ixo.ini";
    rules.Choose(Field("BEMsCas"), 5005, -1);
    EXPECT_TRUE(rules.SetLimitCell(1, 1, "52.5"));
    rules.SetDirectory("/data/projects///");
    std::vector<std::string> texts = {"15.0", "2.8", "5.0", "100.0", "80.0"};
    ASSERT_FALSE(rules.Write(file, texts));
    SettingsRecord read;
    ASSERT_TRUE(ReadSettings(file, read));
    EXPECT_EQ(read, rules.Record());
    EXPECT_EQ(read.DistanciaPlantas, 2.8);
    EXPECT_EQ(read.Dis_FAMMSCAS, 5005);
    EXPECT_EQ(read.DIS_MODELOINYECTOR, 201);
    TMatestructuranivel limits;
    ASSERT_TRUE(ReadLevelLimits(limits, file));
    EXPECT_EQ(limits[1].minimum, 52.5);
    EXPECT_EQ(ReadProjectDirectory(file), "/data/projects/");
}

TEST_F(ConfigurationRulesTest, ARefusedNumberWritesNothingAndNamesItsField) {
    const std::filesystem::path file = dir / "Ixo.ini";
    const auto refusal = rules.Write(file, {"15", "abc", "5", "100", "80"});
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->field, NumberField("D_FLOOR"));
    EXPECT_NE(refusal->message.find("not a number"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(ConfigurationRulesTest, AnUnwritableSettingsFileIsReported) {
    const std::filesystem::path file = dir / "Ixo.ini";
    test::WriteFileBytes(file, "[DISTANCE]\nD_FLOOR=3\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    const auto refusal = rules.Write(file, {"15", "4", "5", "100", "80"});
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->field, -1);
    EXPECT_NE(refusal->message.find("Unable to write to"), std::string::npos) << refusal->message;
    EXPECT_EQ(test::ReadFileBytes(file), "[DISTANCE]\nD_FLOOR=3\n");
}

class ConfigurationDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureWidgetsApplication();
        QLocale::setDefault(QLocale::c());
    }
    std::unique_ptr<ConfigurationDialog> Make(const TMatestructuranivel& limits = DefaultLevelLimits()) {
        auto dialog = std::make_unique<ConfigurationDialog>(&test::DemoStore(), DefaultSettings(), limits,
                                                            "/home/u/", dir / "Ixo.ini");
        dialog->showError = [this](const QString&, const QString& text) { errors << text; };
        dialog->chooseFromCatalogue = [this](std::int32_t family, std::int32_t group, std::int32_t model) {
            asked.push_back({family, group, model});
            return answer;
        };
        return dialog;
    }

    test::TempDir dir;
    QStringList errors;
    std::vector<std::array<std::int32_t, 3>> asked;
    std::optional<CatalogueFieldChoice> answer;
};

TEST_F(ConfigurationDialogTest, TheExplorersChoiceFillsTheFieldAndTheFieldsItAdjusts) {
    auto dialog = Make();
    const int cascade = Field("BEMsCas");
    EXPECT_TRUE(dialog->CatalogueBox(cascade)->isReadOnly());
    answer = CatalogueFieldChoice{5005, -1};
    dialog->ChooseField(cascade);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], (std::array<std::int32_t, 3>{5001, -4, -1})) << "the field's family, group and model";
    EXPECT_EQ(dialog->CatalogueBox(cascade)->text().toStdString(),
              FamilyName(*test::DemoStore().Catalogue(), 5005));
    EXPECT_EQ(dialog->CatalogueBox(Field("BEPI"))->text(), QStringLiteral("IP-24R"));
    EXPECT_EQ(dialog->CascadeEndGroup()->buttons().size(), 2);
    answer.reset(); // Cancel in the explorer changes nothing
    dialog->ChooseField(Field("BEPI"));
    EXPECT_EQ(dialog->CatalogueBox(Field("BEPI"))->text(), QStringLiteral("IP-24R"));
}

TEST_F(ConfigurationDialogTest, ARefusedLevelCellIsReportedAndTakesItsValueBack) {
    auto dialog = Make();
    QTableWidget* grid = dialog->LevelGrid();
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QStringLiteral("MIN (dBuV)"));
    grid->item(0, 1)->setText(QStringLiteral("90"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], QStringLiteral("Min is greater than Max."));
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("60.0"));
    grid->item(0, 2)->setText(QStringLiteral("75"));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(grid->item(0, 2)->text(), QStringLiteral("75.0"));
    EXPECT_EQ(dialog->Rules().Limits()[0].maximum, 75.0);
    EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
}

TEST_F(ConfigurationDialogTest, OkWithARefusedNumberStaysOpenWithTheReasonInTheField) {
    auto dialog = Make();
    dialog->show();
    const int floor = NumberField("D_FLOOR");
    dialog->NumberBox(floor)->setText(QStringLiteral("5000"));
    dialog->accept();
    EXPECT_EQ(dialog->result(), 0);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->ReasonLabel(floor)->text().contains(QStringLiteral("1000 m")));
    EXPECT_FALSE(std::filesystem::exists(dir / "Ixo.ini"));
    dialog->NumberBox(floor)->setText(QStringLiteral("2.5"));
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    SettingsRecord read;
    ASSERT_TRUE(ReadSettings(dir / "Ixo.ini", read));
    EXPECT_EQ(read.DistanciaPlantas, 2.5);
}

TEST_F(ConfigurationDialogTest, AnUnwritableFileIsReportedAndTheDialogStaysOpen) {
    test::WriteFileBytes(dir / "Ixo.ini", "");
    std::filesystem::permissions(dir / "Ixo.ini", std::filesystem::perms::owner_read);
    auto dialog = Make();
    dialog->show();
    dialog->accept();
    std::filesystem::permissions(dir / "Ixo.ini", std::filesystem::perms::owner_all);
    EXPECT_EQ(dialog->result(), 0);
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("Unable to write to")));
}

TEST_F(ConfigurationDialogTest, TheLevelsPageShowsTheLimitsItIsGiven) {
    TMatestructuranivel project = DefaultLevelLimits();
    project[0].minimum = 47;
    auto dialog = Make(project);
    EXPECT_EQ(dialog->LevelGrid()->item(0, 1)->text(), QStringLiteral("47.0"));
    dialog->reject();
    EXPECT_FALSE(std::filesystem::exists(dir / "Ixo.ini")) << "Cancel writes nothing";
}

} // namespace
} // namespace ixo
