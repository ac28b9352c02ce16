#pragma once

#include "calc/Program.h"

// Archive: moves the results log aside under a dated name and starts a new one
// with its header, after the user agreed. A failed file operation is reported
// and the program goes on.
void Archive_Click(Program& program);

// The data test: a report block has a line that begins with "Calorific"
// after its leading spaces. Reads the log up to the first such line.
bool HoldsCalculation(FileSystem& files, const QString& path);

// Log/Meterwin_yymmdd_N.log with the first N from 1 whose file does not exist.
QString ArchiveName(FileSystem& files, QDate today);

// The six-line header of the new results log, as one text without the line
// end that writing it adds.
QString ArchiveHeader(const RegionalForms& forms, const QDateTime& now);
