#pragma once
// Temporary doubles until the shared ones arrive.
#include "calc/Program.h"
#include "platform/ProgramEnd.h"
#include "platform/QtFileSystem.h"

#include <QList>

inline bool operator==(const Message& a, const Message& b) {
    return a.icon == b.icon && a.title == b.title && a.text == b.text && a.buttons == b.buttons;
}

struct RecordingBoxes final : MessageBoxes {
    QList<Message> shown;
    MessageAnswer answer = MessageAnswer::Yes;
    MessageAnswer show(const Message& m) override {
        shown << m;
        return m.buttons == MessageButtons::YesNo ? answer : MessageAnswer::Ok;
    }
};

struct RecordingDesktop final : Desktop {
    QStringList opened;
    bool starts = true;
    bool openFile(const QString& p) override {
        opened << p;
        return starts;
    }
    bool openUrl(const QString& u) override {
        opened << u;
        return starts;
    }
};

struct TestProgram {
    RegionalForms forms{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    RecordingBoxes boxes;
    QtFileSystem files;
    FixedClock clock{QDateTime(QDate(2026, 3, 14), QTime(18, 1, 57))};
    RecordingDesktop desktop;
    Program program{Services{forms, boxes, files, clock, desktop}};
    TestProgram() {
        program.sheet.ResultsLogName = "Meterwin.log";
        program.sheet.HistoryLogName = "Meterwin_H.log";
    }
};

// Runs a command; true when it ended the program.
template <typename F> bool endsProgram(F&& f) {
    try {
        f();
    } catch (const ProgramEnded&) {
        return true;
    }
    return false;
}
