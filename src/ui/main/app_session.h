#pragma once

// What the desktop program loads once at start-up and keeps until it ends: the catalogue tables and the
// element store, the settings record, the outlet level limits and the project folder, all read from
// beside the program.
#include "settings/level_limits.h"
#include "settings/settings_record.h"

#include <filesystem>
#include <memory>
#include <string>

namespace ixo {

class TPrimerComponente;
class TalmacenElementos;

class AppSession {
public:
    // Reads the project folder from the settings file; nothing else yet.
    explicit AppSession(const std::filesystem::path& programDirectory);
    ~AppSession();
    AppSession(const AppSession&) = delete;
    AppSession& operator=(const AppSession&) = delete;

    // Opens and checks the catalogue in BD/, makes the element store, then reads the settings and the
    // level limits. False with the message to show when the catalogue is missing or damaged.
    [[nodiscard]] bool Load(std::string& message);

    TalmacenElementos* Store() const { return m_store; }
    const SettingsRecord& Settings() const { return m_settings; }
    const TMatestructuranivel& Limits() const { return m_limits; }
    const std::string& ProjectDirectory() const { return m_projectDirectory; }
    const std::filesystem::path& SettingsFile() const { return m_settingsFile; }
    const std::filesystem::path& CatalogueDirectory() const { return m_catalogueDirectory; }

private:
    std::filesystem::path m_settingsFile;
    std::filesystem::path m_catalogueDirectory;
    std::string m_projectDirectory;
    std::unique_ptr<TPrimerComponente> m_owner;
    TalmacenElementos* m_store = nullptr; // owned by m_owner
    SettingsRecord m_settings;
    TMatestructuranivel m_limits;
};

} // namespace ixo
