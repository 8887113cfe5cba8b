#pragma once

// The key filter of the wizard's edits and grid cells: digits, "-" and control characters; any other
// typed character is dropped.
#include <QValidator>

namespace ixo {

class IntegerKeyValidator : public QValidator {
public:
    explicit IntegerKeyValidator(QObject* parent) : QValidator(parent) {}
    State validate(QString& input, int& position) const override;
};

} // namespace ixo
