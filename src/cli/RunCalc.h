#pragma once

#include "CalcRequest.h"

// Runs one `meterwin-cli calc` request and returns the exit status.
int runCalc(const CalcRequest& request);
