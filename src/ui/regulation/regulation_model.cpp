#include "ui/regulation/regulation_model.h"

#include "building/escalera.h"
#include "building/proyecto.h"
#include "common/decimal_text.h"
#include "editing/network_editor.h"
#include "levels/lista_errores.h"
#include "model/ampli_base.h"
#include "model/multiswitch.h"
#include "model/potenciometro.h"

#include <algorithm>
#include <array>
#include <utility>

namespace ixo {

RegulationModel::RegulationModel(Tproyecto& project, TAmpliBase& amplifier)
    : m_project(project), m_regulation(std::make_unique<Regulation>(project, amplifier)) {}

RegulationModel::RegulationModel(Tproyecto& project, TMultiswitch& multiswitch)
    : m_project(project), m_regulation(std::make_unique<Regulation>(project, multiswitch)),
      m_multiswitch(true) {}

RegulationModel::~RegulationModel() = default;

int RegulationModel::ColumnWidth(int panelWidth) const {
    const int columns = static_cast<int>(Sliders().size()) + 1;
    return std::max(panelWidth / columns, m_multiswitch ? 52 : 70);
}

bool RegulationModel::MoveSlider(std::size_t index, int position) {
    if (m_closed || index >= Sliders().size()) {
        return false;
    }
    m_moved = true;
    return m_regulation->MoveSlider(index, position);
}

std::string RegulationModel::ValueText(std::size_t index) const {
    if (index >= Sliders().size()) {
        return {};
    }
    const RegulationSlider& slider = Sliders()[index];
    switch (slider.kind) {
    case RegulationSlider::Kind::Control:
        return OneDecimalText(slider.control->Ajuste) + " %";
    case RegulationSlider::Kind::Mode:
        return "Mode " + std::to_string(static_cast<const TAmpliBase*>(slider.element)->ModoterActual);
    case RegulationSlider::Kind::Attenuator:
        return "Att. " + std::to_string(static_cast<const TMultiswitch*>(slider.element)->AttenuarTer);
    }
    return {};
}

std::size_t RegulationModel::OutletsOutOfLimits() const {
    return RegistrosDeErrores(m_project).size();
}

bool RegulationModel::Confirm(NetworkEditor& editor) {
    m_closed = true;
    m_confirmed = editor.Apply([this](EditJournal& journal) { return m_regulation->RecordInto(journal); });
    return m_confirmed;
}

void RegulationModel::Cancel() {
    m_closed = true;
    m_regulation->Cancel();
}

std::uint32_t RegulationModel::ColourOf(const std::string& name) {
    static constexpr std::array<std::pair<const char*, std::uint32_t>, 9> kColours = {{
        {"red", 0xFF0000},
        {"green", 0x008000},
        {"fuchsia", 0xFF00FF},
        {"blue", 0x0000FF},
        {"aqua", 0x00FFFF},
        {"olive", 0x808000},
        {"teal", 0x008080},
        {"purple", 0x800080},
        {"black", 0x000000},
    }};
    for (const auto& [colour, rgb] : kColours) {
        if (name == colour) {
            return rgb;
        }
    }
    return 0x000000;
}

} // namespace ixo
