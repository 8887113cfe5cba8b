#include "ui/levels/levels_model.h"

#include "building/lista_niveles.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "common/decimal_text.h"
#include "levels/polaridad_vivienda.h"
#include "model/componente_base.h"
#include "model/pin.h"
#include "model/toma_tv.h"

#include <cmath>
#include <cstdio>

namespace ixo {

namespace {

// The frequencies in the general number format: no decimals where there are none.
std::string FrequencyText(double mhz) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", mhz);
    return text;
}

// The limit step of one limit pair: the terrestrial value up to 862 MHz, the satellite one from 862.1.
std::vector<ChartPoint> Step(double terrestrial, double satellite) {
    return {{47, terrestrial}, {175, terrestrial}, {470, terrestrial}, {862, terrestrial}, {862.1, satellite},
            {950, satellite},  {1350, satellite},  {1750, satellite},  {2150, satellite}};
}

} // namespace

void LevelsModel::SetProject(Tproyecto* project) {
    if (project != m_project) {
        Forget();
    }
    m_project = project;
}

void LevelsModel::ShowPin(TPin& pin) {
    m_pin = &pin;
    m_outlet = TPrimerComponente::AsOrNull<TTomaTV>(pin.Owner()) != nullptr;
    m_polarityPin = m_outlet ? PinDePolaridad(pin) : nullptr;
    m_polarities.clear();
    const int count = m_project != nullptr ? m_project->Preferencias().Npolaridades : 0;
    for (int i = 1; i <= count; ++i) {
        m_polarities.push_back(std::to_string(i));
    }
    Read();
    MakeCaption();
}

void LevelsModel::Read() {
    m_selectedPolarity = -1;
    if (m_polarityPin != nullptr && m_polarityPin->polaridad >= 0 &&
        static_cast<std::size_t>(m_polarityPin->polaridad) < m_polarities.size()) {
        m_selectedPolarity = m_polarityPin->polaridad;
    }
    m_levelPoints.clear();
    m_minimum.clear();
    m_maximum.clear();
    if (m_pin == nullptr) {
        m_levels = LevelVector();
        return;
    }
    m_levels = m_pin->Levels();
    for (std::size_t band = 1; band < kBandCount; ++band) {
        m_levelPoints.push_back({kBandFrequenciesMHz[band], m_levels[band]});
    }
    if (m_outlet && m_project != nullptr) {
        const Tlistaobjetonivel& limits = m_project->Preferencias().Niveles();
        m_minimum = Step(limits.Minimo(0), limits.Minimo(1));
        m_maximum = Step(limits.Maximo(0), limits.Maximo(1));
    }
}

void LevelsModel::MakeCaption() {
    m_caption = "LEVELS";
    if (m_pin == nullptr) {
        return;
    }
    const auto* element = TPrimerComponente::AsOrNull<TComponenteBase>(m_pin->Owner());
    if (element == nullptr) {
        return;
    }
    m_caption += " IN " + element->Modelo + " [";
    if (!element->Name().empty()) {
        m_caption += element->Name().front();
    }
    m_caption += std::to_string(element->Numero_Interno()) + "]";
    const char* kind = m_pin->TipodePin == 'D' ? "TAP" : m_pin->TipodePin == 'E' ? "IN" : "OUT";
    m_caption += std::string(" [") + kind + " " + std::to_string(m_pin->Numeracion) + "]";
    if (const auto* flat = TPrimerComponente::AsOrNull<Tvivienda>(element->Container())) {
        m_caption += " FL" + std::to_string(flat->Numero_Interno());
    }
}

void LevelsModel::Refresh() {
    if (m_pin != nullptr) {
        Read();
    }
}

void LevelsModel::Forget() {
    m_project = nullptr;
    m_pin = nullptr;
    m_polarityPin = nullptr;
    m_outlet = false;
    m_polarities.clear();
    Read();
    MakeCaption();
}

std::string LevelsModel::Cell(int row, int column) const {
    if (column == 0) {
        return row == 0 ? "MHz" : "dBuV";
    }
    if (column < 1 || column >= kColumns || m_pin == nullptr) {
        return {};
    }
    const auto band = static_cast<std::size_t>(column);
    return row == 0   ? FrequencyText(kBandFrequenciesMHz[band])
           : row == 1 ? OneDecimalText(m_levels[band])
                      : "";
}

bool LevelsModel::ChoosePolarity(int index) {
    if (m_polarityPin == nullptr || index < 0 || static_cast<std::size_t>(index) >= m_polarities.size()) {
        return false;
    }
    SeleccionarPolaridad(*m_polarityPin, index);
    Read();
    return true;
}

std::string LevelsModel::PrintTitle() const {
    std::string title = m_caption;
    if (PolarityEnabled() && m_selectedPolarity >= 0) {
        title += " Polarity " + m_polarities[static_cast<std::size_t>(m_selectedPolarity)];
    }
    return title;
}

} // namespace ixo
