// ReadConfiguration on arbitrary contents of the configuration file: the
// settings are read without a box, check boxes ticked or clear, or the
// program ends after exactly one fatal box.
//
// Input: one byte choosing the locale (high bit: started with the switch that
// lets every setting through), then the bytes of Data/Meterwin.ini.

#include "FuzzProgram.h"

#include "commands/ReadConfiguration.h"
#include "logs/ErrorDump.h"
#include "platform/ProgramEnd.h"
#include "settings/ConfigurationFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input = fuzz::inputOf(data, size);
    const std::uint8_t first = fuzz::byteAt(input, 0);
    fuzz::InstalledProgram installed(fuzz::formsFor(first & 0x7f));
    fuzz::writeFile(installed.files.at(configurationPath()), input.mid(1));
    Sheet& s = installed.program.sheet;
    s.ErrorCheckInhibited = (first & 0x80) ? 1 : 0;
    const fuzz::Unattended& boxes = installed.messages;
    try {
        DumpingFailures(installed.program, [&] { ReadConfiguration(installed.program); });
    } catch (const ProgramEnded&) {
        fuzz::require(boxes.shown == 1 && boxes.last.icon == MessageIcon::Critical,
                      "the program ends after exactly one fatal box", boxes.last.title);
        return 0;
    }
    fuzz::require(boxes.shown == 0, "settings read without a message box", boxes.last.text);
    for (const int ticked : {s.OnTop.value, s.AutoSave.value, s.ConvertF.value})
        fuzz::require(ticked == 0 || ticked == 1, "a check box is ticked or clear",
                      QString::number(ticked));
    return 0;
}
