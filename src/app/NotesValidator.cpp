#include "app/NotesValidator.h"

#include "commands/NotesLength.h"

QValidator::State NotesValidator::validate(QString& input, int&) const {
    return characterCount(input) > NotesCharacterLimit ? Invalid : Acceptable;
}
