#pragma once

#include "CalcRequest.h"

// Runs one `meterwin-cli history` request and returns the exit status.
int runHistory(const HistoryRequest& request);
