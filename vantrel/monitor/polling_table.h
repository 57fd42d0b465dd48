#pragma once
#include "vantrel/editors/rows/row_table.h"

namespace vantrel {

// The "Polling Control" dialog as a row table.
enum PollingRow { kPollNameRow, kPollRateRow, kPollGraphRow, kPollLogRow };
enum PollingButton { kPollStartStopButton, kPollCloseButton };

const RowTable& PollingControlTable();

}  // namespace vantrel
