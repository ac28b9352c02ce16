// ReadConfiguration on arbitrary contents of the configuration file. Both
// outcomes are fine: the settings are read, or the program ends after one
// message box. Anything else (a crash, another exception, a sanitizer
// report, a second box, a check box neither ticked nor clear) is a finding.
//
// Input: one byte choosing the locale (high bit: started with the switch that
// lets every setting through), then the bytes of Data/Meterwin.ini.

#include "FuzzProgram.h"

#include "commands/ReadConfiguration.h"
#include "logs/ErrorDump.h"
#include "platform/ProgramEnd.h"
#include "settings/ConfigurationFile.h"

#include <QFile>

namespace {

using fuzz::require;

void writeConfiguration(const char* bytes, qint64 size) {
    QFile file(fuzz::installation() + u'/' + configurationPath());
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

    fuzz::InstallationFiles files(fuzz::installation());
    fuzz::SilentMessageBoxes messages;
    const FixedClock clock(QDateTime(QDate(2009, 3, 1), QTime(12, 0, 0)));
    fuzz::NoDesktop desktop;
    Program program(Services{fuzz::formsFor(first & 0x7f), messages, files, clock, desktop});
    program.sheet.ErrorCheckInhibited = (first & 0x80) ? 1 : 0;

    bool ended = false;
    try {
        DumpingFailures(program, [&] { ReadConfiguration(program); });
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
