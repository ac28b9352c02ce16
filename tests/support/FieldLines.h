#pragma once

#include "calc/SheetFields.h"
#include "support/SheetFields.h"
#include "support/TestLocales.h"

#include <QRegularExpression>

// Test tables name the sheet's texts in one line by control name,
// "NRead2=112 Notes=gas read TVCost.toolTip=Total Cost (inc VAT)": a value
// runs until a blank starts the next "Name=".
inline QList<std::pair<QString, QString>> assignments(const QString& line) {
    static const QRegularExpression nextName(QStringLiteral(" (?=[\\w.]+=)"));
    QList<std::pair<QString, QString>> pairs;
    for (const QString& assignment : line.split(nextName, Qt::SkipEmptyParts))
        pairs.append({assignment.section(u'=', 0, 0), assignment.section(u'=', 1)});
    return pairs;
}

// A field's text, "Name.toolTip" its tooltip, a label's caption, or ErrorList.
inline QString& namedText(Sheet& s, const QString& name) {
    if (name.endsWith(u".toolTip"))
        return fieldNamed(s, name.chopped(8)).toolTip;
    for (const Named<Label>& label : labels(s))
        if (label.name == name)
            return label.control->caption;
    return name == u"ErrorList" ? s.ErrorList : fieldNamed(s, name).text;
}

// Sets such texts, the option values, the check boxes and ErrorCheckInhibited.
inline void setFields(Sheet& s, const QString& line) {
    for (const auto& [name, value] : assignments(line)) {
        if (name == u"ErrorCheckInhibited")
            s.ErrorCheckInhibited = std::int16_t(value.toInt());
        else if (name == u"ConvertF" || name == u"OnTop" || name == u"AutoSave")
            (name == u"ConvertF" ? s.ConvertF
             : name == u"OnTop"  ? s.OnTop
                                 : s.AutoSave)
                .value = value.toInt();
        else if (name == u"LogLevel" || name == u"RunOnTop" || name == u"Convert")
            setSetting(s, name, value);
        else
            namedText(s, name) = value;
    }
}

// The texts that `expected` names, written as `expected` is.
inline QString fieldTexts(Sheet& s, const QString& expected) {
    QStringList actual;
    for (const auto& [name, value] : assignments(expected))
        actual << name + u'=' + namedText(s, name);
    return actual.join(u' ');
}

// Amounts written "¤0.12" in such a line, as the locale shows them.
inline QString withMoney(QString line, const QLocale& locale) {
    static const QRegularExpression amount(QStringLiteral("¤([0-9.]+)"));
    return line.replace(amount, testlocales::money(locale, QStringLiteral("\\1")));
}
