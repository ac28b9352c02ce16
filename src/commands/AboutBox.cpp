#include "commands/AboutBox.h"

#include "commands/ProgramVersion.h"
#include "commands/WebPage.h"

void frmAbout_Load(AboutBox& box) {
    box.title = QStringLiteral("About Meterwin");
    box.ProgName.caption = QStringLiteral("Meterwin");
    box.ProgVersion.caption = QStringLiteral("Version ") + ProgramVersion;
    box.Notice.caption =
        QStringLiteral("Meterwin works out the cost of the gas you use from two meter "
                       "readings and your tariff. It is provided as it is, without "
                       "warranty of any kind; check important figures against your bill.");
    box.WebSite.caption = MakersWebAddress;
}

void WebSite_Click(Program& program, AboutBox& box) {
    LaunchWebPage(program);
    box.WebSiteColour = Orange;
}

bool AboutBoxOnTop(const Sheet& sheet) {
    return sheet.RunOnTop == 2;
}
