#pragma once

#include "calc/Sheet.h"
#include "platform/RegionalForms.h"
#include "settings/SettingRows.h"

// The configuration file keeps the tariff and three options between runs.
inline QString dataDirectory() {
    return QStringLiteral("Data");
}

inline QString configurationPath() {
    return dataDirectory() + QStringLiteral("/Meterwin.ini");
}

// Far beyond any real configuration file (a few hundred bytes): a larger file
// is refused as corrupted before it is read, so that it costs no time or memory.
constexpr qint64 ConfigurationSizeLimit = 64 * 1024;

// The line that opens a section: "[Run]", "[Data]".
QString sectionHeader(Section section);

// The key line's text before its value, "NRate1=", compared case-sensitively.
QString configurationKey(const SettingRow& row);

// Stores the value of a key line: the leading number of `value`, with "." as
// the only decimal point whatever the locale, less the key's offset for a
// field, as it stands for an option.
void StoreConfigurationValue(Sheet& sheet, const SettingRow& row, QStringView value);

// The value written behind the key, from the sheet as it stands.
QString ConfigurationValue(const Sheet& sheet, const SettingRow& row, const RegionalForms& forms);
