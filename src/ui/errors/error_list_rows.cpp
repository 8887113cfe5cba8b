#include "ui/errors/error_list_rows.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "common/decimal_text.h"
#include "model/cbft.h"
#include "model/toma_tv.h"

namespace ixo {
namespace {

// The place of an element on a floor or in a flat: the flat, floor and stair columns.
void PlaceTexts(const TComponenteBase& element, std::array<std::string, ErrorListRows::kColumns>& texts) {
    const TPrimerComponente* container = element.Container();
    const Tvivienda* flat = dynamic_cast<const Tvivienda*>(container);
    if (flat == nullptr && element.Owner() != nullptr) {
        flat = dynamic_cast<const Tvivienda*>(element.Owner()->Owner());
    }
    const tplanta* floor = flat != nullptr ? flat->Planta() : dynamic_cast<const tplanta*>(container);
    if (flat != nullptr) {
        texts[1] = "FL" + std::to_string(flat->Numero_Interno());
    }
    if (floor != nullptr) {
        texts[2] = "FLOOR" + std::to_string(floor->Nivel);
        if (floor->Escalera() != nullptr) {
            texts[3] = "STAIR" + std::to_string(floor->Escalera()->Numero_Interno());
        }
    }
}

} // namespace

const std::array<const char*, ErrorListRows::kColumns>& ErrorListRows::Captions() {
    static const std::array<const char*, kColumns> captions = {"Outlet", "Flat", "Floor", "Stair", "Error"};
    return captions;
}

void ErrorListRows::Fill(const Tproyecto* project, std::vector<PowerProblem> powering,
                         std::vector<OverdriveProblem> overdrive) {
    Clear();
    m_project = project;
    if (project == nullptr) {
        return;
    }
    for (const auto& entry : project->Escaleras()) {
        if (entry.Object == nullptr) {
            continue;
        }
        const TCompruebaErrores& errors = entry.Object->ErroresEscalera();
        for (std::size_t i = 0; i < errors.Count(); ++i) {
            m_outlets.push_back(errors[i]);
        }
    }
    m_powering = std::move(powering);
    m_overdrive = std::move(overdrive);
}

void ErrorListRows::Clear() {
    m_project = nullptr;
    m_outlets.clear();
    m_powering.clear();
    m_overdrive.clear();
}

ErrorListRows::Kind ErrorListRows::KindOf(std::size_t row) const {
    if (row < m_outlets.size()) {
        return Kind::Outlet;
    }
    return row - m_outlets.size() < m_powering.size() ? Kind::Powering : Kind::Overdrive;
}

std::string ErrorListRows::ErrorText(const TNodoInfo& record) {
    std::string text;
    const auto part = [&record](bool above) {
        const std::uint32_t bit = above ? 1u : 2u;
        const bool terrestrial = (record.FlagsTerrestre & bit) != 0;
        const bool satellite = (record.FlagsSatelite & bit) != 0;
        std::string result = above ? ">MAX(" : "<MIN(";
        if (terrestrial) {
            result += "TER:" + OneDecimalText(above ? record.MaximoTerrestre : record.MinimoTerrestre);
        }
        if (terrestrial && satellite) {
            result += " ";
        }
        if (satellite) {
            result += "SAT:" + OneDecimalText(above ? record.MaximoSatelite : record.MinimoSatelite);
        }
        return result + ")";
    };
    if ((record.Estado & 1) != 0) {
        text += part(true);
    }
    if ((record.Estado & 2) != 0) {
        text += ((record.Estado & 1) != 0 ? " " : "") + part(false);
    }
    return text;
}

std::array<std::string, ErrorListRows::kColumns> ErrorListRows::Texts(std::size_t row) const {
    std::array<std::string, kColumns> texts;
    switch (KindOf(row)) {
    case Kind::Outlet: {
        const TNodoInfo& record = m_outlets[row];
        if (record.Toma != nullptr) {
            const std::string& name = record.Toma->Name();
            texts[0] = (name.empty() ? std::string() : name.substr(0, 1)) +
                       std::to_string(record.Toma->Numero_Interno());
        }
        if (record.Vivienda != nullptr) {
            texts[1] = "FL" + std::to_string(record.Vivienda->Numero_Interno());
            if (const tplanta* floor = record.Vivienda->Planta()) {
                texts[2] = "FLOOR" + std::to_string(floor->Nivel);
                if (floor->Escalera() != nullptr) {
                    texts[3] = "STAIR" + std::to_string(floor->Escalera()->Numero_Interno());
                }
            }
        }
        if (record.Estado != 0) {
            texts[4] = ErrorText(record);
        }
        break;
    }
    case Kind::Powering: {
        const PowerProblem& problem = m_powering[row - m_outlets.size()];
        if (problem.element != nullptr) {
            texts[0] = problem.element->Name();
            PlaceTexts(*problem.element, texts);
        }
        texts[4] = problem.Text();
        break;
    }
    case Kind::Overdrive: {
        const OverdriveProblem& problem = m_overdrive[row - m_outlets.size() - m_powering.size()];
        if (problem.element != nullptr) {
            texts[0] = problem.element->Name();
            PlaceTexts(*problem.element, texts);
        }
        texts[4] = problem.Text();
        break;
    }
    }
    return texts;
}

RowColour ErrorListRows::ErrorColour(std::size_t row) const {
    if (KindOf(row) != Kind::Outlet) {
        return {128, 0, 0};
    }
    const TNodoInfo& record = m_outlets[row];
    RowColour colour;
    if ((record.Estado & 2) != 0) {
        colour.blue = 128;
    }
    if ((record.Estado & 1) != 0) {
        colour.red = 255;
    }
    return colour;
}

const TComponenteBase* ErrorListRows::ElementOf(std::size_t row) const {
    switch (KindOf(row)) {
    case Kind::Outlet:
        return m_outlets[row].Toma;
    case Kind::Powering:
        return m_powering[row - m_outlets.size()].element;
    case Kind::Overdrive:
        return m_overdrive[row - m_outlets.size() - m_powering.size()].element;
    }
    return nullptr;
}

const TPin* ErrorListRows::PinOf(std::size_t row) const {
    switch (KindOf(row)) {
    case Kind::Outlet: {
        const TTomaTV* outlet = m_outlets[row].Toma;
        if (outlet == nullptr || outlet->PinsOf(PinKind::Tap).empty()) {
            return nullptr;
        }
        return outlet->PinsOf(PinKind::Tap).front();
    }
    case Kind::Powering:
        return nullptr;
    case Kind::Overdrive:
        return m_overdrive[row - m_outlets.size() - m_powering.size()].pin;
    }
    return nullptr;
}

bool ErrorListRows::CanLocate() const {
    return m_project != nullptr && m_project->finalizadocalculoTV;
}

} // namespace ixo
