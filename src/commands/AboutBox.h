#pragma once

#include "calc/Program.h"

// The state of the About box `frmAbout`, mirrored by its window as the sheet
// is by the main window.
struct AboutBox {
    QString title;
    Label ProgName;
    Label ProgVersion;
    Label Notice;
    Label WebSite;
    Rgb WebSiteColour = DarkGrey;
    Button ExitAbout{QStringLiteral("Close"), QStringLiteral("Close Meterwin About Screen")};
};

// Loading of the About box: title, program name, version, notice and address.
void frmAbout_Load(AboutBox& box);

// A click on the web address: opens the page and colours the address orange,
// whether or not the browser started.
void WebSite_Click(Program& program, AboutBox& box);

// The About box stays on top while the main window does.
bool AboutBoxOnTop(const Sheet& sheet);
