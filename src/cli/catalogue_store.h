#pragma once

#include <filesystem>
#include <memory>

namespace ixo {
class TPrimerComponente;
class TalmacenElementos;
} // namespace ixo

namespace ixo::cli {

// The element store of a catalogue folder, with the tables it reads, for commands that build or open
// projects. A folder that is not a usable catalogue is bad input (UsageError with the start-up message).
class CatalogueStore {
public:
    explicit CatalogueStore(const std::filesystem::path& directory);
    ~CatalogueStore();
    CatalogueStore(const CatalogueStore&) = delete;
    CatalogueStore& operator=(const CatalogueStore&) = delete;

    TalmacenElementos& Store() const { return *m_store; }

private:
    std::unique_ptr<TPrimerComponente> m_owner;
    TalmacenElementos* m_store = nullptr;
};

} // namespace ixo::cli
