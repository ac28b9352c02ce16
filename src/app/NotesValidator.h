#pragma once

#include <QValidator>

// Holds the Notes entry to its limit in characters as the user sees them; the
// line edit's own maximum length counts UTF-16 units, which let an emoji count twice.
class NotesValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
