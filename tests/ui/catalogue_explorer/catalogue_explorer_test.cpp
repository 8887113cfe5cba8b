#include "ui/catalogue_explorer/catalogue_explorer_dialog.h"
#include "ui/catalogue_explorer/catalogue_explorer_model.h"
#include "ui/screenshots.h"
#include "ui/widgets_app.h"

#include "catalogue/catalogo.h"
#include "support/catalogue_writer.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace ixo {
namespace {

// A block of multiswitch families (5000-5499) with models, obsolete ones among them, and a family of
// another block.
class CatalogueExplorerTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::CatalogueWriter writer;
        writer.Family(4930, "IF amplifiers", "Amplificadores")
            .Family(5001, "Cascadable", "Ms", 8)
            .Family(5005, "Headend", "Ms", 8)
            .Family(5023, "Five by eight", "Ms", 3)
            .Family(5030, "Old ones", "Ms", 8, "OBS")
            .Family(5040, "Nine by", "Ms", 8);
        writer.Element("Ms", test::MakeElement(10, 5023, "MS-5x8", "SALIDAS=8", "Five inputs, eight outputs"))
            .Element("Ms", test::MakeElement(11, 5001, "MS-C1", "SALIDAS=4", "Cascadable, four outputs"))
            .Element("Ms",
                     test::MakeElement(12, 5023, "MS-5x8-OLD", "OBSOLETO=1", "The former five by eight"))
            .Element("Ms",
                     test::MakeElement(13, 5023, "MS-5x16", "SALIDAS=16", "Five inputs, sixteen outputs"))
            .Element("Amplificadores", test::MakeElement(1, 4930, "IF-1", "", "IF amplifier"));
        writer.Write(dir.Path());
        catalogue = OpenCatalogue(nullptr, dir.Path()).Tables;
        ASSERT_NE(catalogue, nullptr);
    }
    void TearDown() override { FreeCatalogue(catalogue); }

    static std::vector<std::int32_t> Numbers(const CatalogueExplorerModel& model) {
        std::vector<std::int32_t> numbers;
        for (const TSelFamilia& family : model.Families()) {
            numbers.push_back(family.Familia);
        }
        return numbers;
    }
    static std::vector<std::string> Models(const CatalogueExplorerModel& model) {
        std::vector<std::string> names;
        for (const TselElemento& element : model.Models()) {
            names.push_back(element.Modelo);
        }
        return names;
    }

    test::TempDir dir;
    TCatalogo* catalogue = nullptr;
};

TEST_F(CatalogueExplorerTest, OpensOnTheRequestedFamilyAndModelWithItsDescription) {
    CatalogueExplorerModel model(*catalogue);
    model.Start(5023, 8, 13);
    EXPECT_EQ(Numbers(model), (std::vector<std::int32_t>{5001, 5005, 5023, 5040}));
    EXPECT_EQ(model.SelectedFamily(), 2);
    EXPECT_EQ(Models(model), (std::vector<std::string>{"MS-5x8", "MS-5x16"}));
    EXPECT_EQ(model.SelectedModel(), 1);
    EXPECT_EQ(model.Description(), "Five inputs, sixteen outputs");
    model.ClickModel(0);
    EXPECT_EQ(model.Description(), "Five inputs, eight outputs");
    model.ClickModel(-1);
    EXPECT_EQ(model.Description(), "");
}

TEST_F(CatalogueExplorerTest, AFamilyOutsideTheFileListsTheBlockWithNothingSelected) {
    CatalogueExplorerModel model(*catalogue);
    model.Start(5024, 0, 10);
    EXPECT_EQ(Numbers(model), (std::vector<std::int32_t>{5001, 5005, 5023, 5040}));
    EXPECT_EQ(model.SelectedFamily(), -1);
    EXPECT_TRUE(model.Models().empty());
    model.Accept();
    EXPECT_EQ(model.ChosenFamily(), 5024) << "nothing selected: the requested values stay";
    EXPECT_EQ(model.ChosenIndice(), 10);
    EXPECT_FALSE(model.ModelChosen());
}

TEST_F(CatalogueExplorerTest, AnObsoleteModelIsListedAndSelectedOnlyWithViewObsolete) {
    CatalogueExplorerModel model(*catalogue);
    model.Start(5023, 0, 12);
    EXPECT_EQ(Models(model), (std::vector<std::string>{"MS-5x8", "MS-5x16"}));
    EXPECT_EQ(model.SelectedModel(), -1);
    model.SetViewObsolete(true);
    EXPECT_EQ(Numbers(model), (std::vector<std::int32_t>{5001, 5005, 5023, 5030, 5040}));
    EXPECT_EQ(Models(model), (std::vector<std::string>{"MS-5x8", "MS-5x8-OLD", "MS-5x16"}));
    EXPECT_EQ(model.SelectedModel(), 1);
    EXPECT_TRUE(model.Models()[1].Obsoleto);
    EXPECT_EQ(model.Description(), "The former five by eight");
}

TEST_F(CatalogueExplorerTest, ExactModeKeepsASpecialFamilyToItself) {
    CatalogueExplorerModel model(*catalogue);
    model.SetExact(true);
    model.Start(5005, 0, -1);
    EXPECT_EQ(Numbers(model), (std::vector<std::int32_t>{5005}));
    model.SetExact(false);
    model.Start(5005, 0, -1);
    EXPECT_EQ(Numbers(model), (std::vector<std::int32_t>{5001, 5005, 5023, 5040}));
}

TEST_F(CatalogueExplorerTest, OkWithAFamilyButNoModelGivesTheFamilysNameAndKeepsTheIndice) {
    CatalogueExplorerModel model(*catalogue);
    model.Start(5023, 0, 10);
    model.ClickFamily(0); // Cascadable: its model list has no model 10
    EXPECT_EQ(Models(model), (std::vector<std::string>{"MS-C1"}));
    EXPECT_EQ(model.SelectedModel(), -1);
    model.Accept();
    EXPECT_EQ(model.ChosenFamily(), 5001);
    EXPECT_EQ(model.ChosenIndice(), 10);
    EXPECT_EQ(model.ChosenName(), "Cascadable");
    EXPECT_FALSE(model.ModelChosen());
    model.ClickModel(0);
    model.Accept();
    EXPECT_EQ(model.ChosenIndice(), 11);
    EXPECT_EQ(model.ChosenName(), "MS-C1");
    EXPECT_TRUE(model.ModelChosen());
}

TEST_F(CatalogueExplorerTest, AFamilyOnlyRequestNeverListsModelsAndADoubleClickChoosesIt) {
    CatalogueExplorerModel model(*catalogue);
    model.Start(5001, 0, -1);
    EXPECT_FALSE(model.ChoosesModel());
    EXPECT_TRUE(model.Models().empty());
    model.ClickFamily(2);
    EXPECT_TRUE(model.Models().empty());
    EXPECT_TRUE(model.DoubleClickFamily(3));
    model.Accept();
    EXPECT_EQ(model.ChosenFamily(), 5040);
    EXPECT_EQ(model.ChosenName(), "Nine by");
    EXPECT_FALSE(model.DoubleClickFamily(-1)) << "no family under the mouse";
}

TEST_F(CatalogueExplorerTest, DoubleClicksCloseOnlyWithWhatTheyNeedSelected) {
    CatalogueExplorerModel model(*catalogue);
    model.Start(5023, 0, 10);
    EXPECT_FALSE(model.DoubleClickFamily(2)) << "its models are listed: a model is to be chosen";
    EXPECT_FALSE(model.DoubleClickModel(7)) << "no such row";
    EXPECT_TRUE(model.DoubleClickModel(1));
    model.Accept();
    EXPECT_EQ(model.ChosenIndice(), 13);
    EXPECT_EQ(model.ChosenFamily(), 5023);
}

TEST_F(CatalogueExplorerTest, TheDialogShowsTheListsAndClosesWithTheChoice) {
    test::EnsureWidgetsApplication();
    CatalogueExplorerDialog dialog(*catalogue, nullptr);
    dialog.Prepare(5023, 8, 10);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Selection"));
    EXPECT_EQ(dialog.FamilyList()->headerItem()->text(0), QStringLiteral("Family"));
    EXPECT_EQ(dialog.ModelList()->headerItem()->text(0), QStringLiteral("Model"));
    ASSERT_EQ(dialog.FamilyList()->topLevelItemCount(), 4);
    EXPECT_EQ(dialog.FamilyList()->currentItem()->text(0), QStringLiteral("Five by eight"));
    ASSERT_EQ(dialog.ModelList()->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.ModelList()->currentItem()->text(0), QStringLiteral("MS-5x8"));
    EXPECT_EQ(dialog.DescriptionPanel()->text(), QStringLiteral("Five inputs, eight outputs"));
    dialog.show();
    test::SaveScreenshot(dialog, "catalogue_explorer");

    dialog.ModelList()->setCurrentItem(dialog.ModelList()->topLevelItem(1));
    EXPECT_EQ(dialog.DescriptionPanel()->text(), QStringLiteral("Five inputs, sixteen outputs"));
    dialog.ViewObsolete()->setChecked(true);
    EXPECT_EQ(dialog.FamilyList()->topLevelItemCount(), 5);
    EXPECT_EQ(dialog.ModelList()->topLevelItemCount(), 3);
    dialog.FamilyList()->setCurrentItem(dialog.FamilyList()->topLevelItem(0));
    ASSERT_EQ(dialog.ModelList()->topLevelItemCount(), 1);
    EXPECT_EQ(dialog.ModelList()->currentItem(), nullptr);
    emit dialog.ModelList()->itemDoubleClicked(dialog.ModelList()->topLevelItem(0), 0);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenFamily(), 5001);
    EXPECT_EQ(dialog.ChosenIndice(), 11);
    EXPECT_EQ(dialog.ChosenName(), "MS-C1");
}

TEST_F(CatalogueExplorerTest, CancelLeavesTheRequestAndAHeaderDoubleClickResetsTheFamilyPanel) {
    test::EnsureWidgetsApplication();
    CatalogueExplorerDialog dialog(*catalogue, nullptr);
    dialog.Prepare(5023, 8, 10);
    dialog.show();
    dialog.Splitter()->setSizes({100, 500});
    emit dialog.FamilyList()->header()->sectionDoubleClicked(0);
    EXPECT_NEAR(dialog.Splitter()->sizes().front(), CatalogueExplorerModel::kFamilyPanelWidth, 3)
        << "the list's frame may take a pixel or two";
    dialog.FamilyList()->setCurrentItem(dialog.FamilyList()->topLevelItem(3));
    dialog.reject();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.ChosenFamily(), 5023);
    EXPECT_EQ(dialog.ChosenIndice(), 10);
}

} // namespace
} // namespace ixo
