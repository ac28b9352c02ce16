// ReadConfiguration on arbitrary contents of the configuration file. Both
// outcomes are fine: the settings are read, or the program ends after one
// message box. Anything else (a crash, another exception, a sanitizer
// report, a second box, a check box neither ticked nor clear) is a finding.
//
// Input: one byte choosing the locale (high bit: started with the switch that
// lets every setting through), then the bytes of Data/Meterwin.ini.

#include "FuzzSupport.h"

#include "calc/Program.h"
#include "platform/ProgramEnd.h"
#include "platform/QtFileSystem.h"
#include "shell/ConfigurationFile.h"
#include "shell/ReadConfiguration.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using fuzz::require;

// The program's files, with its relative paths taken from a temporary
// installation directory of this process instead of the working directory,
// which stays where libFuzzer writes its inputs.
class InstallationFiles final : public FileSystem {
public:
    explicit InstallationFiles(QString root) : root_(std::move(root)) {}

    bool directoryExists(const QString& path) const override {
        return files_.directoryExists(at(path));
    }
    bool fileExists(const QString& path) const override { return files_.fileExists(at(path)); }
    QStringList readLines(const QString& path) override { return files_.readLines(at(path)); }
    qint64 countLines(const QString& path) override { return files_.countLines(at(path)); }
    QString readLastLine(const QString& path) override { return files_.readLastLine(at(path)); }
    bool anyLine(const QString& path, const std::function<bool(const QString&)>& holds) override {
        return files_.anyLine(at(path), holds);
    }
    void createEmpty(const QString& path) override { files_.createEmpty(at(path)); }
    bool createFile(const QString& path, const QString& content) override {
        return files_.createFile(at(path), content);
    }
    void appendLine(const QString& path, const QString& text) override {
        files_.appendLine(at(path), text);
    }
    void replaceFile(const QString& path, const QString& content) override {
        files_.replaceFile(at(path), content);
    }
    void copyFile(const QString& from, const QString& to) override {
        files_.copyFile(at(from), at(to));
    }
    void renameFile(const QString& from, const QString& to) override {
        files_.renameFile(at(from), at(to));
    }
    void deleteFile(const QString& path) override { files_.deleteFile(at(path)); }
    void whileLocked(const QString& directory, const std::function<void()>& operation) override {
        files_.whileLocked(at(directory), operation);
    }

private:
    QString at(const QString& path) const {
        return QDir::isAbsolutePath(path) ? path : root_ + u'/' + path;
    }

    QString root_;
    mutable QtFileSystem files_;
};

// Closes every box at once and counts them.
class SilentMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const Message& message) override {
        ++shown;
        last = message;
        return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    int shown = 0;
    Message last;
};

class NoDesktop final : public Desktop {
public:
    bool openFile(const QString&) override { return false; }
    bool openUrl(const QString&) override { return false; }
};

// One installation directory per process, with its Data directory; the
// configuration file in it is rewritten for every input.
const QString& installation() {
    static const QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/meterwin-fuzz-XXXXXX"));
    static const bool made = dir.isValid() && QDir(dir.path()).mkpath(dataDirectory());
    if (!made)
        fuzz::broken("a temporary installation directory", dir.errorString());
    static const QString path = dir.path();
    return path;
}

void writeConfiguration(const char* bytes, qint64 size) {
    QFile file(installation() + u'/' + configurationPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes, size) != size)
        fuzz::broken("writing the configuration file", file.errorString());
}

bool isCheckBoxValue(int value) {
    return value == 0 || value == 1;
}

void checkReadSettings(const Sheet& s) {
    const QString detail = QStringLiteral("OnTop %1, AutoSave %2, ConvertF %3")
                               .arg(s.OnTop.value)
                               .arg(s.AutoSave.value)
                               .arg(s.ConvertF.value);
    require(isCheckBoxValue(s.OnTop.value) && isCheckBoxValue(s.AutoSave.value) &&
                isCheckBoxValue(s.ConvertF.value),
            "a check box is ticked or clear", detail);
    require(
        s.ConfigEcho.startsWith(QStringLiteral("Meterwin Configuration\r\n") + QString(22, u'-')) &&
            s.ConfigEcho.endsWith(QStringLiteral("\r\n\r\n")),
        "the configuration echo has its heading and its end", s.ConfigEcho);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint8_t first = input.byte();
    const std::size_t contentStart = std::min<std::size_t>(size, 1);
    writeConfiguration(reinterpret_cast<const char*>(data + contentStart),
                       static_cast<qint64>(size - contentStart));

    InstallationFiles files(installation());
    SilentMessageBoxes messages;
    const FixedClock clock(QDateTime(QDate(2009, 3, 1), QTime(12, 0, 0)));
    NoDesktop desktop;
    Program program(Services{fuzz::formsFor(first & 0x7f), messages, files, clock, desktop});
    program.sheet.ErrorCheckInhibited = (first & 0x80) ? 1 : 0;

    bool ended = false;
    try {
        ReadConfiguration(program);
    } catch (const ProgramEnded&) {
        ended = true;
    }
    if (ended) {
        require(messages.shown == 1, "the program ends after exactly one message box",
                QStringLiteral("%1 boxes").arg(messages.shown));
        require(messages.last.icon == MessageIcon::Critical, "the last box is a fatal one",
                messages.last.title);
    } else {
        require(messages.shown == 0, "settings read without a message box",
                messages.last.title + QStringLiteral(": ") + messages.last.text);
        checkReadSettings(program.sheet);
    }
    return 0;
}
