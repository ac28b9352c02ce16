#pragma once

#include "calc/Program.h"
#include "logs/ErrorDump.h"
#include "platform/ProgramEnd.h"
#include "support/FaultyFileSystem.h"
#include "support/RecordingMessageBoxes.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

// A desktop that opens nothing: it records what it was asked to open and
// answers `opens` (true unless told otherwise).
class RecordingDesktop final : public Desktop {
public:
    bool openFile(const QString& path) override;
    bool openUrl(const QString& url) override;

    bool opens = true;
    QStringList openedFiles;
    QStringList openedUrls;
};

// A whole program for a test in one line: the sheet with the locale's forms,
// a fixed clock (1 March 2009, 12:00:00 unless given), the real file system
// (with faults on request), recording message boxes and a recording desktop.
//     TestProgram t(QLocale(QLocale::German, QLocale::Germany));
//     CheckSettings(t.program, CurrencySymbols::StripAndAdd);
struct TestProgram {
    explicit TestProgram(const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedKingdom),
                         const QDateTime& now = QDateTime(QDate(2009, 3, 1), QTime(12, 0, 0)));
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    Sheet& sheet() { return program.sheet; }

    RegionalForms forms;
    RecordingMessageBoxes messages;
    FaultyFileSystem files;
    FixedClock clock;
    RecordingDesktop desktop;
    Program program;
};

// True when `body` ended the program. A guard's failure goes to the error dump
// first, as the front ends send it; any other exception passes on.
template <typename Body> bool EndsProgram(Program& program, Body&& body) {
    try {
        DumpingFailures(program, body);
    } catch (const ProgramEnded&) {
        return true;
    }
    return false;
}

// A fresh installation directory that is the working directory while the
// object lives, so that relative paths such as "Log/Meterwin.log" land in it.
class TemporaryInstallation {
public:
    TemporaryInstallation();
    ~TemporaryInstallation();
    TemporaryInstallation(const TemporaryInstallation&) = delete;
    TemporaryInstallation& operator=(const TemporaryInstallation&) = delete;

    bool isValid() const { return directory_.isValid(); }
    QString path() const { return directory_.path(); }
    // Creates a directory (and its parents) below the installation directory.
    void makeDirectory(const QString& relativePath) const;
    // Writes a file's bytes as given, replacing an existing one.
    void writeFile(const QString& relativePath, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relativePath) const;

private:
    QTemporaryDir directory_;
    QString previous_;
};
