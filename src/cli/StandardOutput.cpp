#include "StandardOutput.h"

#include <QTextStream>
#include <cerrno>
#include <cstdio>
#include <cstring>

bool writeStandardOutput(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    const bool written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) ==
                             std::size_t(bytes.size()) &&
                         std::fflush(stdout) == 0;
    if (written)
        return true;
    const int error = errno;
    QTextStream(stderr) << "meterwin-cli: cannot write to standard output: "
                        << QString::fromLocal8Bit(std::strerror(error)) << '\n';
    return false;
}
