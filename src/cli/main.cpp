#include "CalcRequest.h"
#include "RunCalc.h"
#include "RunHistory.h"
#include "StandardOutput.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const ParsedCommandLine parsed = parseCommandLine(app.arguments().mid(1));
    if (parsed.help)
        return writeStandardOutput(usageText()) ? 0 : 2;
    if (parsed.version)
        return writeStandardOutput(versionText()) ? 0 : 2;
    if (parsed.history)
        return runHistory(*parsed.history);
    if (!parsed.request) {
        QTextStream(stderr) << "meterwin-cli: " << parsed.error << "\n\n" << usageText();
        return 64;
    }
    return runCalc(*parsed.request);
}
