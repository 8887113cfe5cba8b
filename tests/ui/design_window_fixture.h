#pragma once

// A main window on the demo building of the run command (2 stairs x 6 floors x 4 flats x 3 outlets, 8
// polarities), with its questions and errors caught, for the tests of the design loop: the error list,
// the tools and the windows they open.
#include "building/proyecto.h"
#include "support/temp_dir.h"
#include "ui/main/app_session.h"
#include "ui/main/main_window.h"
#include "ui/project/wizard_model.h"
#include "ui/widgets_app.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace ixo::test {

inline WizardResults DemoBuilding() {
    WizardResults r;
    r.Npolaridades = 8;
    r.Nverticales = 2;
    r.Nplantas = 6;
    r.VertHeader = 1;
    r.Nviv = 48;
    r.NoutletViv = 3;
    r.TipoDistribucionViv = 0;
    r.TipoDistribucionCab = 1;
    r.DisViv.assign(2, std::vector<std::int32_t>(6, 4));
    return r;
}

// The README's cascade building, whose top floors fail their minimum: 3 stairs x 10 floors x 2 flats x 4
// outlets in cascade, 12 polarities.
inline WizardResults CascadeBuilding() {
    WizardResults r = DemoBuilding();
    r.Npolaridades = 12;
    r.Nverticales = 3;
    r.Nplantas = 10;
    r.Nviv = 60;
    r.NoutletViv = 4;
    r.TipoDistribucionViv = 1;
    r.DisViv.assign(3, std::vector<std::int32_t>(10, 2));
    return r;
}

class DesignWindowTest : public ::testing::Test {
protected:
    virtual WizardResults Building() const { return DemoBuilding(); }

    void SetUp() override {
        EnsureWidgetsApplication();
        std::string message;
        ASSERT_TRUE(session.Load(message)) << message;
        window = std::make_unique<MainWindow>(session);
        window->resize(1200, 800);
        window->showError = [this](const QString&, const QString& text) { errors.push_back(text); };
        window->askSaveChanges = [](const std::string&) { return SaveAnswer::No; };
        window->show();
        QApplication::processEvents();
        ASSERT_TRUE(window->CreateProjectFromWizard(Building()));
    }
    void TearDown() override {
        if (window->Project() != nullptr) {
            window->Project()->Modificado = false;
        }
        window.reset();
    }
    // Answers the next modal dialog of type D with answer (which accepts or rejects it).
    template <typename D> void Answer(std::function<void(D&)> answer) {
        QTimer::singleShot(0, window.get(), [this, answer] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = dynamic_cast<D*>(widget); dialog != nullptr && dialog->isVisible()) {
                    answer(*dialog);
                    return;
                }
            }
            for (D* dialog : window->findChildren<D*>()) {
                if (dialog->isVisible()) {
                    answer(*dialog);
                    return;
                }
            }
        });
    }

    TempDir temp;
    AppSession session{BinDirectory()};
    std::unique_ptr<MainWindow> window;
    std::vector<QString> errors;
};

} // namespace ixo::test
