#pragma once

// "Configuration": the installation defaults of the settings file, page by page. Catalogue fields choose
// through the catalogue explorer; OK writes the settings file (and stays open with the reason when it
// cannot). The rules are ConfigurationRules.
#include "ui/configuration/configuration_rules.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;
class QVBoxLayout;

namespace ixo {

// What the catalogue explorer answers: the family chosen, and the model (-1 when none was chosen).
struct CatalogueFieldChoice {
    std::int32_t family = 0;
    std::int32_t model = -1;
};
// Opens the catalogue explorer at family (group filter, model); nothing when the user cancels.
using CatalogueChooser = std::function<std::optional<CatalogueFieldChoice>(
    std::int32_t family, std::int32_t group, std::int32_t model)>;

class ConfigurationDialog : public QDialog {
public:
    // limits: the open project's when one is open, else the settings file's.
    ConfigurationDialog(const TalmacenElementos* store, const SettingsRecord& record,
                        const TMatestructuranivel& limits, const std::string& directory,
                        std::filesystem::path settingsFile, QWidget* parent = nullptr);

    const ConfigurationRules& Rules() const { return m_rules; }
    // The explorer the catalogue fields open.
    CatalogueChooser chooseFromCatalogue;
    // Errors (the level grid's and a failed write), replaceable by tests.
    std::function<void(const QString& caption, const QString& text)> showError;
    std::function<QString(const QString& start)> chooseDirectory;

    // A catalogue field's button (or a double click on it).
    void ChooseField(int field);
    QLineEdit* CatalogueBox(int field) const { return m_catalogue[static_cast<std::size_t>(field)]; }
    QLineEdit* NumberBox(int field) const { return m_numbers[static_cast<std::size_t>(field)]; }
    QLabel* ReasonLabel(int field) const { return m_reasons[static_cast<std::size_t>(field)]; }
    QTableWidget* LevelGrid() const { return m_grid; }
    QLineEdit* DirectoryBox() const { return m_directory; }
    QTabWidget* Pages() const { return m_pages; }
    QButtonGroup* PowerGroup() const { return m_power; }
    QButtonGroup* CascadeEndGroup() const { return m_cascadeEnd; }
    QCheckBox* TerrestrialBox() const { return m_terrestrial; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QVBoxLayout* PageLayout(ConfigurationRules::Page page);
    void ShowFields();
    void FillCascadeEnd();
    void FillGrid();
    void GridCellChanged(int row, int column);
    bool CheckNumber(int field);

    ConfigurationRules m_rules;
    std::filesystem::path m_settingsFile;
    QTabWidget* m_pages = nullptr;
    std::vector<QWidget*> m_pageWidgets;
    std::vector<QLineEdit*> m_catalogue;
    std::vector<QLineEdit*> m_numbers;
    std::vector<QLabel*> m_reasons;
    QTableWidget* m_grid = nullptr;
    QLineEdit* m_directory = nullptr;
    QButtonGroup* m_power = nullptr;
    QButtonGroup* m_cascadeEnd = nullptr;
    QWidget* m_cascadeEndBox = nullptr;
    QCheckBox* m_terrestrial = nullptr;
    bool m_filling = false;
};

} // namespace ixo
