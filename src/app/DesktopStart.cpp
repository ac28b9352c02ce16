#include "app/DesktopStart.h"

#include "commands/Startup.h"
#include "logs/ErrorDump.h"
#include "platform/ProgramEnd.h"

std::unique_ptr<MeterwinMain> StartMeterwinMain(Program& program, const QStringList& arguments,
                                                const ConfigurationPermission& permission) {
    try {
        DumpingFailures(program, [&] {
            LoadMeterwinMain(program,
                             StartupChoices{arguments, true, permission.mayReplaceConfiguration()});
        });
    } catch (const ProgramEnded&) {
        return nullptr;
    }
    auto window = std::make_unique<MeterwinMain>(program);
    window->showFirstTime();
    return window;
}
