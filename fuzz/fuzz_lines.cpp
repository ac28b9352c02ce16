// The line readers of the file system on arbitrary file contents: the
// last-line reader of Get Last, the line counter of the history log and the
// line scan must agree with reading every line.
//
// Input: one byte choosing the most the readers read at a time (0: their own
// sizes; 1 to 255 bytes otherwise, so that line ends fall on the joins
// between reads), then the bytes of the file.

#include "FuzzProgram.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input = fuzz::inputOf(data, size);
    const QString path = fuzz::installation() + QStringLiteral("/Log/Meterwin_H.log");
    fuzz::writeFile(path, input.mid(1));
    const QStringList lines = QtFileSystem().readLines(path);
    for (QtFileSystem files : {QtFileSystem(fuzz::byteAt(input, 0)), QtFileSystem()}) {
        QStringList scanned;
        files.anyLine(path, [&](const QString& line) { return (scanned << line, false); });
        const QString last = files.readLastLine(path);
        const qint64 count = files.countLines(path);
        fuzz::require(last == lines.value(lines.size() - 1) && count == lines.size() &&
                          scanned == lines,
                      "readLastLine, countLines and anyLine agree with readLines",
                      QStringLiteral("%1 lines counted as %2, the last read as \"%3\"")
                          .arg(QString::number(lines.size()), QString::number(count), last));
    }
    return 0;
}
