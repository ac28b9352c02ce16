#pragma once

#include "calc/Sheet.h"
#include "platform/RegionalForms.h"

#include <QList>

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

// One key of the file, in the order the file is written: "LogLevel=" and
// "RunOnTop=" under [Run], the twelve others under [Data].
struct ConfigurationKey {
    enum class Holds { LogLevel, RunOnTop, Convert, Field };
    QString text; // with its "=", compared case-sensitively
    Holds holds = Holds::Field;
    TextField Sheet::*field = nullptr;
    // Several settings are stored plus one, so that a setting of 0 is stored as 1.
    double offset = 0;
    // Written as the field's text itself rather than as its number.
    bool writtenAsTyped = false;
};

const QList<ConfigurationKey>& configurationKeys();

// Stores the value of a key line: the leading number of `value`, with "." as
// the only decimal point whatever the locale, less the key's offset.
void StoreConfigurationValue(Sheet& sheet, const ConfigurationKey& key, QStringView value);

// The value written behind the key, from the sheet as it stands.
QString ConfigurationValue(const Sheet& sheet, const ConfigurationKey& key,
                           const RegionalForms& forms);
