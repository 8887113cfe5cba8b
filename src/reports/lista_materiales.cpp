#include "reports/lista_materiales.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "catalogue/almacen_elementos.h"
#include "common/ascii_case.h"
#include "model/alimentador.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/cable_tv.h"
#include "model/carga.h"
#include "model/cbft.h"
#include "model/conector.h"
#include "model/especial.h"
#include "model/pin.h"
#include "model/toma_tv.h"
#include "reports/document_writer.h"
#include "reports/report_numbers.h"
#include "reports/report_progress.h"

#include <algorithm>

namespace ixo {

namespace {

// The family of the LNB lines: LNBs are not catalogue elements of their own.
constexpr std::int32_t kFamiliaLnb = 3540;

// What a counted piece is, for the lines that may take it.
enum class ItemKind { Cable, Element, Part };

// Which piece of a pin is counted (the pin is the identity of its load and of its connector).
enum PinPiece : int { kElementItself = 0, kCableItem = 1, kLoadItem = 2, kConnectorItem = 3 };

} // namespace

struct TlistaIntel::Item {
    ItemKind kind = ItemKind::Element;
    TipoMaterial newLineKind = TipoMaterial::Elemento;
    std::string model;
    std::int32_t indice = 0;
    std::int32_t familia = 0;
    double quantity = 1.0;
    std::pair<const void*, int> key;
};

ArticleLookup ArticlesOf(const Tproyecto& project) {
    const TalmacenElementos* store = project.Almacen();
    TCatalogo* catalogue = store != nullptr ? store->Catalogue() : nullptr;
    if (catalogue == nullptr) {
        return [](std::string_view) { return ArticleInfo{}; };
    }
    return [catalogue](std::string_view model) { return ArticleOf(*catalogue, model); };
}

TElementoRec TlistaIntel::NuevaLinea(std::string name) const {
    TElementoRec line;
    const ArticleInfo article = m_articles ? m_articles(name) : ArticleInfo{};
    line.Codigo = article.Codigo;
    line.Descripcion = article.Descripcion;
    line.Nombre = std::move(name);
    return line;
}

bool TlistaIntel::Anadir(const Item& item) {
    for (TElementoRec& line : m_lines) {
        if (!EqualsIgnoringAsciiCase(line.Nombre, item.model)) {
            continue;
        }
        if (line.Tipo == TipoMaterial::Cable && item.kind == ItemKind::Cable) {
            line.Cantidad += RoundMetresToOneDecimal(item.quantity);
            line.Contados.insert(item.key);
            return true;
        }
        const bool takes = (line.Tipo == TipoMaterial::Elemento && item.kind != ItemKind::Cable) ||
                           (line.Tipo == TipoMaterial::NoMaterial && item.kind == ItemKind::Element);
        if (takes) {
            // A piece met twice (an element listed on two floors, a flat entry also in the flat's list)
            // is one piece: the line that has it keeps it and counts nothing more.
            if (!line.Contados.insert(item.key).second) {
                return false;
            }
            line.Cantidad += item.quantity;
            return true;
        }
    }
    TElementoRec line = NuevaLinea(item.model);
    line.Tipo = item.newLineKind;
    line.Indice = item.indice;
    line.Familia = item.familia;
    line.Cantidad = item.kind == ItemKind::Cable ? RoundMetresToOneDecimal(item.quantity) : item.quantity;
    line.Contados.insert(item.key);
    m_lines.push_back(std::move(line));
    return true;
}

void TlistaIntel::AnadirLnb(const std::string& lnb) {
    // A dish without a separate LNB names none, and a nameless line would be no material.
    if (lnb.empty()) {
        return;
    }
    for (TElementoRec& line : m_lines) {
        if (line.Nombre == lnb) {
            line.Cantidad += 1.0;
            return;
        }
    }
    TElementoRec line = NuevaLinea(lnb);
    line.Tipo = TipoMaterial::Elemento;
    line.Indice = -1;
    line.Familia = kFamiliaLnb;
    line.Cantidad = 1.0;
    m_lines.push_back(std::move(line));
}

void TlistaIntel::AnadirCable(const TPin& pin) {
    const TCableTV* cable = pin.Cable();
    if (cable == nullptr) {
        return;
    }
    Anadir(Item{ItemKind::Cable,
                TipoMaterial::Cable,
                cable->Modelo,
                cable->Indice,
                cable->Familia,
                pin.MetrosCable,
                {&pin, kCableItem}});
}

void TlistaIntel::AnadirCarga(const TPin& pin) {
    if (const TCarga* load = pin.Load()) {
        Anadir(Item{ItemKind::Part,
                    TipoMaterial::Elemento,
                    load->Modelo,
                    load->Indice,
                    load->Familia,
                    1.0,
                    {&pin, kLoadItem}});
    }
}

void TlistaIntel::AnadirConector(const TPin& pin) {
    if (const TConector* connector = pin.FittedConnector()) {
        Anadir(Item{ItemKind::Part,
                    TipoMaterial::Elemento,
                    connector->Modelo,
                    connector->Indice,
                    connector->Familia,
                    1.0,
                    {&pin, kConnectorItem}});
    }
}

void TlistaIntel::ContarElemento(const TCBFT& element) {
    const bool notMaterial = element.Is<Tentradaviv>() || element.Is<TCabeceraTerrestre>();
    if (!Anadir(Item{ItemKind::Element,
                     notMaterial ? TipoMaterial::NoMaterial : TipoMaterial::Elemento,
                     element.Modelo,
                     element.Indice,
                     element.Familia,
                     1.0,
                     {&element, kElementItself}})) {
        return; // counted already, with its pins
    }
    if (const auto* dish = dynamic_cast<const Tantena*>(&element)) {
        AnadirLnb(dish->LNB);
    }

    const bool outlet = element.Is<TTomaTV>();
    const bool supplyOrSpecial = element.Is<TFUENTE>() || element.Is<Tespecial>();
    const bool connectors = !outlet && !supplyOrSpecial;
    const bool loads = !supplyOrSpecial;
    // The cable of a connection is counted once, at the input it feeds; a dish or terrestrial headend
    // input is the aerial's own, with no connector to buy.
    const bool inputConnectors = connectors && !element.Is<Tantena>() && !element.Is<TCabeceraTerrestre>();

    for (const TPin* pin : element.PinesENTRADA()) {
        if (pin->IsConnected()) {
            AnadirCable(*pin);
            if (pin->MetrosCable > 0.0 && inputConnectors) {
                AnadirConector(*pin);
            }
        } else if (outlet && loads) {
            AnadirCarga(*pin);
        }
    }
    for (const TPin* pin : element.PinesSALIDA()) {
        if (!pin->IsConnected()) {
            if (loads) {
                AnadirCarga(*pin);
            }
        } else if (pin->MetrosCable > 0.0 && connectors) {
            AnadirConector(*pin);
        }
    }
    for (const TPin* pin : element.PinesDERIVACION()) {
        if (pin->IsConnected()) {
            if (pin->MetrosCable > 0.0 && connectors) {
                AnadirConector(*pin);
            }
        } else if (!outlet && loads) {
            AnadirCarga(*pin);
        }
    }
}

void TlistaIntel::Ordenar() {
    std::stable_sort(m_lines.begin(), m_lines.end(),
                     [](const TElementoRec& a, const TElementoRec& b) { return a.Codigo < b.Codigo; });
    std::erase_if(m_lines, [](const TElementoRec& line) { return line.Tipo == TipoMaterial::NoMaterial; });
}

namespace {

void ContarLista(TlistaIntel& list, const NamedList<TComponenteBase>& elements) {
    for (const auto& entry : elements) {
        if (const auto* element = dynamic_cast<const TCBFT*>(entry.Object)) {
            list.ContarElemento(*element);
        }
    }
}

} // namespace

std::optional<std::vector<TElementoRec>>
ListaMateriales(const Tproyecto& project, const ArticleLookup& articles, ReportProgress& progress) {
    TlistaIntel list(articles);
    for (const auto& stair : project.Escaleras()) {
        if (stair.Object == nullptr) {
            continue;
        }
        const NamedList<tplanta>& floors = stair.Object->ListaPlantas();
        progress.SetPartialMaximum(static_cast<int>(floors.Count()));
        progress.SetCurrentItem(stair.Name);
        // Floors from the top down: the headend first, as the installer reads the building.
        for (std::size_t i = floors.Count(); i-- > 0;) {
            if (progress.CancelRequested()) {
                return std::nullopt;
            }
            const tplanta* floor = floors.Object(i);
            if (floor == nullptr) {
                continue;
            }
            ContarLista(list, floor->ETV());
            for (const auto& flat : floor->LViviendas()) {
                if (flat.Object == nullptr) {
                    continue;
                }
                if (const Tentradaviv* entry = flat.Object->Entrada()) {
                    list.ContarElemento(*entry);
                }
                ContarLista(list, flat.Object->ETV());
            }
            progress.SetPartialPosition(static_cast<int>(floors.Count() - i));
        }
        progress.Step();
    }
    list.Ordenar();
    return list.Lineas();
}

void EscribirListaMateriales(DocumentWriter& writer, const std::vector<TElementoRec>& lines,
                             bool terrestrialHeadend) {
    writer.Reiniciar();
    writer.SetFontSize(9);
    writer.InsertarTexto("List of materials\n\n", Atributos(12, true), true);
    writer.InsertarTexto("\n", Atributos(10, false), true);

    const int firstLine = terrestrialHeadend ? 3 : 2;
    const int rows = firstLine - 1 + static_cast<int>(lines.size());
    const int table = writer.InsertarTabla(rows, 4);
    writer.AnchosColumnas(table, {2.0, 3.0, 9.0, 1.5});
    const char* const headers[] = {"Code", "Model", "Description", "Count"};
    for (int column = 1; column <= 4; ++column) {
        writer.TextoCelda(table, 1, column, headers[column - 1]);
        writer.FormatoCelda(table, 1, column, false, false, true);
    }
    if (terrestrialHeadend) {
        writer.TextoCelda(table, 2, 1, "");
        writer.TextoCelda(table, 2, 2, "Terrestrial amplifier");
        writer.TextoCelda(table, 2, 3, "Terrestrial amplifier");
        writer.TextoCelda(table, 2, 4, "1");
    }
    int row = firstLine;
    for (const TElementoRec& line : lines) {
        writer.TextoCelda(table, row, 1, line.Codigo);
        writer.TextoCelda(table, row, 2, line.Nombre);
        writer.TextoCelda(table, row, 3, line.Descripcion);
        writer.TextoCelda(table, row, 4, FixedOneDecimal(line.Cantidad));
        ++row;
    }
    if (rows >= 2) {
        for (int column = 1; column <= 3; ++column) {
            writer.AlineacionCeldas(table, column, Alineacion::Left, 2, rows);
        }
        writer.AlineacionCeldas(table, 4, Alineacion::Right, 2, rows);
    }
    writer.TrasTabla();
}

} // namespace ixo
