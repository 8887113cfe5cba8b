#include "ui/report_chooser/report_chooser_rules.h"

#include "reports/informe.h"

namespace ixo {

ReportChooserRules::ReportChooserRules() = default;

std::span<const std::string_view> ReportChooserRules::Names() {
    return kNombresInformes;
}

void ReportChooserRules::Select(int index) {
    m_chosen = index >= 0 && index < static_cast<int>(Names().size()) ? index : -1;
}

bool ReportChooserRules::DoubleClick(int index) {
    Select(index);
    return m_chosen >= 0;
}

} // namespace ixo
