#include "ui/dialogs/length_dialog_model.h"

#include "ui/dialogs/number_keys.h"

namespace ixo {

void LengthDialogModel::SetLength(double metres) {
    m_length = metres;
    m_text = FormatOneDecimal(metres, m_separator);
}

bool LengthDialogModel::Leave() const {
    const std::optional<double> value = ParseDecimal(m_text, m_separator);
    return value.has_value() && *value >= 0.0;
}

std::optional<double> LengthDialogModel::Accept() {
    if (!Leave()) {
        return std::nullopt;
    }
    m_length = *ParseDecimal(m_text, m_separator);
    return m_length;
}

} // namespace ixo
