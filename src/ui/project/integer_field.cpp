#include "ui/project/integer_field.h"

#include "ui/project/wizard_model.h"

namespace ixo {

QValidator::State IntegerKeyValidator::validate(QString& input, int& /*position*/) const {
    for (const QChar c : input) {
        if (!WizardModel::IntegerKeyAccepted(c.unicode())) {
            return Invalid;
        }
    }
    return Acceptable;
}

} // namespace ixo
