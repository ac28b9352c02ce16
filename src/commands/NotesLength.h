#pragma once

#include <QStringView>

// The Notes entry takes at most this many characters.
constexpr qsizetype NotesCharacterLimit = 75;

// Characters as the user sees them: code points, so that an emoji (two UTF-16
// units) counts once.
inline qsizetype characterCount(QStringView text) {
    return text.toUcs4().size();
}
