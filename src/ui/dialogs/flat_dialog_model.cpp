#include "ui/dialogs/flat_dialog_model.h"

#include "building/vivienda.h"

namespace ixo {

void FlatDialogModel::SetFlat(std::string_view name, std::int32_t outlets, std::int32_t distribution) {
    m_caption = std::string(kCaption) + " [" + std::string(name) + "]";
    m_outletsIndex = outlets >= 1 && outlets <= kOutletItems ? outlets - 1 : -1;
    ChooseDistribution(distribution);
    SetName(name);
}

void FlatDialogModel::SetFlat(const Tvivienda& flat) {
    SetFlat(flat.NombreViv, flat.Numtomas(), flat.Topologia());
}

void FlatDialogModel::ChooseOutlets(int index) {
    m_outletsIndex = index >= 0 && index < kOutletItems ? index : -1;
}

void FlatDialogModel::ChooseDistribution(int index) {
    m_distributionIndex = index == 0 || index == 1 ? index : -1;
}

void FlatDialogModel::SetName(std::string_view name) {
    m_name = std::string(name.substr(0, kMaxNameLength));
}

std::optional<FlatDialogModel::Choice> FlatDialogModel::Accept() const {
    if (m_outletsIndex < 0 || m_distributionIndex < 0) {
        return std::nullopt;
    }
    return Choice{m_outletsIndex + 1, m_distributionIndex, m_name, m_applyToAll};
}

} // namespace ixo
