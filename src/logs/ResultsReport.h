#pragma once

#include "calc/Program.h"

// Composes the results-log block of the last calculation into `ReportText`
// from the texts the sheet shows, after the results are in display form.
// Writes no file.
void BuildResultsReport(Program& program);
