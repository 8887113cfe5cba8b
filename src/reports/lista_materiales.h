#pragma once

#include "catalogue/catalogue_lookups.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ixo {

class DocumentWriter;
class ReportProgress;
class TCBFT;
class TCableTV;
class TPin;
class Tproyecto;

// What a line of the list of materials counts (the stored numbers).
enum class TipoMaterial : std::uint8_t {
    Cable = 0,      // metres of one cable model
    Elemento = 1,   // pieces: elements, loads, connectors, LNBs
    NoMaterial = 2, // flat entries and the terrestrial headend: counted, then left out of the list
    Nueva = 3,      // a line not yet used
};

// One line of the list of materials.
struct TElementoRec {
    std::int32_t Indice = 0; // model number; -1 for an LNB
    std::int32_t Familia = 0;
    double Cantidad = 0.0;   // pieces, or metres for cables
    std::string Nombre;      // model name, the key of the line
    std::string Codigo;      // article code, empty without article
    std::string Descripcion; // article description
    TipoMaterial Tipo = TipoMaterial::Nueva;
    // What the line has counted: an element, or a load or connector by the pin it belongs to (loads and
    // connectors are values shared between pins, so the pin tells one piece from another).
    std::set<std::pair<const void*, int>> Contados;
};

// The article of a model name (code and description); empty when there is none.
using ArticleLookup = std::function<ArticleInfo(std::string_view model)>;
// The articles of the catalogue of the project's element store; none without a store.
ArticleLookup ArticlesOf(const Tproyecto& project);

// The lines being collected, in the order they were made.
class TlistaIntel {
public:
    explicit TlistaIntel(ArticleLookup articles) : m_articles(std::move(articles)) {}

    // Counts a network element with its cables, connectors and loads (and a dish's LNB).
    void ContarElemento(const TCBFT& element);
    // Sorts by article code and drops the lines that are not materials.
    void Ordenar();

    const std::vector<TElementoRec>& Lineas() const { return m_lines; }

private:
    struct Item;
    // Adds the item to the first line that takes it, or to a new line; false when it was counted already.
    bool Anadir(const Item& item);
    void AnadirLnb(const std::string& lnb);
    void AnadirCable(const TPin& pin);
    void AnadirCarga(const TPin& pin);
    void AnadirConector(const TPin& pin);
    TElementoRec NuevaLinea(std::string name) const;

    ArticleLookup m_articles;
    std::vector<TElementoRec> m_lines;
};

// The list of materials of the project: every element of every stair (floors from the top down, each
// floor's elements, then each flat's entry and elements), sorted by article code, without flat entries
// and terrestrial headend. Nothing when cancelled.
std::optional<std::vector<TElementoRec>>
ListaMateriales(const Tproyecto& project, const ArticleLookup& articles, ReportProgress& progress);

// Writes the list into the document: heading, then the table (with the terrestrial amplifier row when
// the headend has one).
void EscribirListaMateriales(DocumentWriter& writer, const std::vector<TElementoRec>& lines,
                             bool terrestrialHeadend);

} // namespace ixo
