#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "render/text_document_writer.h"
#include "settings/settings_file.h"
#include "settings/wizard_results.h"
#include "support/temp_dir.h"
#include "ui/configuration/configuration_dialog.h"
#include "ui/main/app_session.h"
#include "ui/main/main_window.h"
#include "ui/options/options_commands.h"
#include "ui/report_editor/report_editor_window.h"
#include "ui/title_block/title_block_dialog.h"
#include "ui/widgets_app.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <filesystem>

namespace ixo {
namespace {

WizardResults SmallBuilding() {
    WizardResults r;
    r.Npolaridades = 4;
    r.Nverticales = 1;
    r.Nplantas = 3;
    r.VertHeader = 1;
    r.Nviv = 6;
    r.NoutletViv = 2;
    r.TipoDistribucionViv = 0;
    r.TipoDistribucionCab = 1;
    r.DisViv.assign(1, std::vector<std::int32_t>(3, 2));
    return r;
}

// The window on a program folder of its own (the demo catalogue linked in), so that the configuration
// writes a settings file of its own.
class WindowDocuments : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureWidgetsApplication();
        QLocale::setDefault(QLocale::c());
        std::filesystem::create_directory_symlink(test::BinDirectory() / "BD", program.Path() / "BD");
        session = std::make_unique<AppSession>(program.Path());
        std::string message;
        ASSERT_TRUE(session->Load(message)) << message;
        window = std::make_unique<MainWindow>(*session);
        window->showError = [this](const QString&, const QString& text) { errors.push_back(text); };
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        if (window != nullptr && window->Project() != nullptr) {
            window->Project()->Modificado = false;
        }
        window.reset();
    }
    bool Enabled(const char* action) const {
        return window->Action(QString::fromLatin1(action))->isEnabled();
    }

    test::TempDir program;
    std::unique_ptr<AppSession> session;
    std::unique_ptr<MainWindow> window;
    std::vector<QString> errors;
};

TEST_F(WindowDocuments, ProjectInformationFillsTheTitleBlockAsOneUndoableStep) {
    EXPECT_FALSE(Enabled("AISchematic")) << "no project: no title block";
    EXPECT_TRUE(Enabled("AConfiguration"));
    ASSERT_TRUE(window->CreateProjectFromWizard(SmallBuilding()));
    EXPECT_TRUE(Enabled("AISchematic"));
    const std::vector<std::string> before = window->Project()->Datosproyecto();
    window->Options().runDialog = [](QDialog& dialog) {
        auto& titleBlock = dynamic_cast<TitleBlockDialog&>(dialog);
        titleBlock.Cell(1)->setText(QStringLiteral("Ann Smith"));
        titleBlock.Cell(7)->setText(QStringLiteral("Cascade building"));
        titleBlock.WidthBox()->setText(QStringLiteral("120"));
        titleBlock.accept();
        return int(QDialog::Accepted);
    };
    window->ShowProjectInformation();
    ASSERT_EQ(window->Project()->Datosproyecto().size(), 10u);
    EXPECT_EQ(window->Project()->Datosproyecto()[1], "Ann Smith");
    EXPECT_EQ(window->Project()->Datosproyecto()[7], "Cascade building");
    EXPECT_EQ(window->Project()->AnchoCajetin, 120.0);
    EXPECT_TRUE(Enabled("AUndo"));
    window->Undo();
    EXPECT_EQ(window->Project()->Datosproyecto(), before);
    EXPECT_EQ(window->Project()->AnchoCajetin, 90.0);
    window->Redo();
    EXPECT_EQ(window->Project()->Datosproyecto()[1], "Ann Smith");
    // Cancel changes nothing.
    window->Options().runDialog = [](QDialog& dialog) {
        dynamic_cast<TitleBlockDialog&>(dialog).Cell(1)->setText(QStringLiteral("someone else"));
        return int(QDialog::Rejected);
    };
    window->ShowProjectInformation();
    EXPECT_EQ(window->Project()->Datosproyecto()[1], "Ann Smith");
}

TEST_F(WindowDocuments, ConfigurationWritesTheSettingsAndGivesTheOpenProjectItsLimits) {
    ASSERT_TRUE(window->CreateProjectFromWizard(SmallBuilding()));
    const std::size_t outOfLimits = window->OutletsOutOfLimits();
    window->Options().chooseFromCatalogue = [](std::int32_t, std::int32_t, std::int32_t) {
        return std::optional<CatalogueFieldChoice>(CatalogueFieldChoice{5005, -1});
    };
    window->Options().runDialog = [](QDialog& dialog) {
        auto& configuration = dynamic_cast<ConfigurationDialog&>(dialog);
        configuration.NumberBox(1)->setText(QStringLiteral("2.8")); // distance between floors
        configuration.ChooseField(ConfigurationRules::CatalogueFieldIndex("BEMsCas"));
        // Limits so wide that every outlet passes.
        configuration.LevelGrid()->item(0, 1)->setText(QStringLiteral("0"));
        configuration.LevelGrid()->item(0, 2)->setText(QStringLiteral("125"));
        configuration.LevelGrid()->item(1, 1)->setText(QStringLiteral("0"));
        configuration.LevelGrid()->item(1, 2)->setText(QStringLiteral("125"));
        configuration.accept();
        return configuration.result();
    };
    window->ShowConfiguration();
    EXPECT_TRUE(errors.empty());
    SettingsRecord written;
    ASSERT_TRUE(ReadSettings(program / "Ixo.ini", written));
    EXPECT_EQ(written.DistanciaPlantas, 2.8);
    EXPECT_EQ(written.Dis_FAMMSCAS, 5005);
    EXPECT_EQ(session->Settings(), written) << "new projects take them";
    TMatestructuranivel limits;
    window->Project()->Preferencias().LeerNiveles(limits);
    EXPECT_EQ(limits[1].maximum, 125.0);
    EXPECT_EQ(window->OutletsOutOfLimits(), 0u) << "was " << outOfLimits;
    // A new project is built with the new defaults.
    window->Project()->Modificado = false;
    ASSERT_TRUE(window->CreateProjectFromWizard(SmallBuilding()));
    EXPECT_EQ(window->Project()->Preferencias().DistanciaPlantas, 2.8);
    EXPECT_EQ(window->Project()->Preferencias().Dis_FAMMSCAS, 5005);
}

TEST_F(WindowDocuments, AGeneratedReportOpensInTheEditor) {
    ASSERT_TRUE(window->CreateProjectFromWizard(SmallBuilding()));
    window->Project()->NombreFichero = (program / "House.XPJ").string();
    ASSERT_TRUE(window->GenerateReport(0));
    ReportEditorWindow& editor = window->ReportEditor();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.DocumentName(),
              QString::fromStdString((program / "House_List of materials.html").string()));
    EXPECT_TRUE(editor.Writer().Document().toPlainText().contains(QStringLiteral("List of materials")));
    EXPECT_FALSE(editor.Modified());
    editor.close();
}

} // namespace
} // namespace ixo
