#include "reliability/Installation.h"

#include "reliability/Commands.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <stdexcept>

namespace {

const QString ResultsLog = QStringLiteral("Log/Meterwin.log");

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

// The names the program gives its files; anything else is a stray temporary file.
bool programFile(const QString& path) {
    static const QRegularExpression names(
        QStringLiteral("^(Data/Meterwin\\.ini|Log/Meterwin\\.log|Log/Meterwin_H\\.log|Log/"
                       "Meterwin_\\d{6}_\\d+\\.log)$"));
    return names.match(path).hasMatch();
}

bool isArchive(const QString& path) {
    return path.startsWith(QStringLiteral("Log/Meterwin_")) &&
           path != QStringLiteral("Log/Meterwin_H.log");
}

// True when the old results log lives on whole in an archive made meanwhile.
bool archivedWhole(const QByteArray& old, const Files& before, const Files& after) {
    for (auto file = after.begin(); file != after.end(); ++file)
        if (isArchive(file.key()) && !before.contains(file.key()) && file.value() == old)
            return true;
    return false;
}

} // namespace

QByteArray installedConfiguration() {
    return readBytes(QStringLiteral(MW_SOURCE_DIR "/dist/Data/Meterwin.ini"));
}

Files newInstallation() {
    return {{QStringLiteral("Data/Meterwin.ini"), installedConfiguration()}};
}

const Files& usedInstallation() {
    static const Files files = [] {
        TemporaryInstallation dir;
        install(newInstallation());
        TestProgram t;
        prepare(Command::CalculateAndSave, t);
        Sheet& s = t.sheet();
        s.Date1.text = QStringLiteral("01/09/2008");
        s.NRead1.text = QStringLiteral("600");
        s.Date2.text = QStringLiteral("01/12/2008");
        s.NRead2.text = QStringLiteral("1000");
        s.Notes.text = QStringLiteral("Autumn quarter");
        const Outcome outcome = runCommand(Command::CalculateAndSave, t);
        if (outcome.ended || !outcome.messages.isEmpty())
            throw std::runtime_error("cannot make a used installation: " +
                                     describe(outcome).toStdString());
        return snapshot();
    }();
    return files;
}

void install(const Files& files) {
    QDir here;
    if (!here.mkpath(QStringLiteral("Data")) || !here.mkpath(QStringLiteral("Log")))
        throw std::runtime_error("cannot make Data and Log");
    for (auto file = files.begin(); file != files.end(); ++file) {
        QFile out(file.key());
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(file.value()) != file.value().size())
            throw std::runtime_error("cannot write " + file.key().toStdString());
    }
}

Files snapshot(const QString& root) {
    Files files;
    const QDir base(root);
    for (const QString& directory : {QStringLiteral("Data"), QStringLiteral("Log")}) {
        const QDir dir(base.filePath(directory));
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
            files.insert(directory + u'/' + name, readBytes(dir.filePath(name)));
    }
    return files;
}

QStringList lostBytes(const Files& before, const Files& after) {
    QStringList problems;
    for (auto file = before.begin(); file != before.end(); ++file) {
        const QString& path = file.key();
        const QByteArray& old = file.value();
        if (!after.contains(path)) {
            problems << path + QStringLiteral(" is gone");
            continue;
        }
        const QByteArray now = after.value(path);
        // An archive starts the results log anew, once the old one is kept whole.
        const bool startedAnew = path == ResultsLog && archivedWhole(old, before, after) &&
                                 now.startsWith("Meterwin Results Log\r\n");
        if (!now.startsWith(old) && !startedAnew)
            problems << path + QStringLiteral(" lost bytes it held");
        else if (now.size() > old.size() && !now.endsWith("\r\n"))
            problems << path + QStringLiteral(" ends in half a line");
    }
    for (auto file = after.begin(); file != after.end(); ++file) {
        if (!programFile(file.key()))
            problems << file.key() + QStringLiteral(" was left behind");
        else if (!before.contains(file.key()) && !file.value().isEmpty() &&
                 !file.value().endsWith("\r\n"))
            problems << file.key() + QStringLiteral(" ends in half a line");
    }
    return problems;
}
