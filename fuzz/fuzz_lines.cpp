// The line readers of the file system on arbitrary file contents: the
// last-line reader of Get Last and the line counter of the history log must
// agree with reading every line.
//
// Input: one byte choosing the most the readers read at a time (0: their own
// sizes; 1 to 255 bytes otherwise, so that line ends fall on the joins
// between reads) and the locale Get Last reads the last line in, then the
// bytes of the file.

#include "FuzzSupport.h"

#include "calc/Sheet.h"
#include "commands/GetLast.h"
#include "platform/QtFileSystem.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

using fuzz::require;

// One file per process, rewritten for every input; the directory goes when
// the run ends.
const QString& inputFile() {
    static const QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/meterwin-fuzz-XXXXXX"));
    static const QString path = dir.filePath(QStringLiteral("Meterwin_H.log"));
    if (!dir.isValid())
        fuzz::broken("a temporary directory for the input file", dir.errorString());
    return path;
}

void writeFile(const QString& path, const char* bytes, qint64 size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes, size) != size)
        fuzz::broken("writing the input file", file.errorString());
}

QString describe(const QStringList& lines) {
    return QStringLiteral("%1 lines, last \"%2\"")
        .arg(lines.size())
        .arg(lines.isEmpty() ? QString() : lines.last());
}

void checkReaders(QtFileSystem& files, const QString& path, const QStringList& lines) {
    const QString last = files.readLastLine(path);
    const QString expected = lines.isEmpty() ? QString() : lines.last();
    require(last == expected, "readLastLine == readLines().last()",
            describe(lines) + QStringLiteral(", readLastLine \"%1\"").arg(last));
    const qint64 count = files.countLines(path);
    require(count == lines.size(), "countLines == readLines().size()",
            describe(lines) + QStringLiteral(", countLines %1").arg(count));
}

// Get Last restores the readings from the last line whatever it holds, or
// leaves them; what it restores reads back as a date and a reading of 1 or more.
void restoreFrom(const QString& line, const RegionalForms& forms) {
    Sheet sheet;
    if (RestoreLastReadings(sheet, forms, line) != LastReadings::Restored)
        return;
    const QString detail = QStringLiteral("line \"%1\" gives \"%2\" and \"%3\"")
                               .arg(line, sheet.Date1.text, sheet.NRead1.text);
    require(forms.isRegionalDate(sheet.Date1.text), "a restored date is a date", detail);
    require(forms.leadingNumber(sheet.NRead1.text) >= 1, "a restored reading is 1 or more", detail);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint8_t chunk = input.byte();
    const std::size_t contentStart = std::min<std::size_t>(size, 1);
    const QString& path = inputFile();
    writeFile(path, reinterpret_cast<const char*>(data + contentStart),
              static_cast<qint64>(size - contentStart));

    QtFileSystem chunked(chunk);
    const QStringList lines = chunked.readLines(path);
    checkReaders(chunked, path, lines);
    if (chunk != 0) {
        QtFileSystem whole;
        checkReaders(whole, path, lines);
    }
    restoreFrom(lines.isEmpty() ? QString() : lines.last(), fuzz::formsFor(chunk));
    return 0;
}
