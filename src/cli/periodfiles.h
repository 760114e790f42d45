#pragma once

#include "files/messagebundle.h"
#include "model/period.h"

#include <ostream>
#include <string>

// Reading and writing compositions for the commands, with the messages the main window shows:
// the message, the file and the reason on one line.

// Reads `file` into `period`; on failure reports it on `err` and returns false, leaving the
// period unchanged.
bool readPeriodOrReport(TPeriodData& period, const std::string& file, const TMessageBundle& bundle,
                        std::ostream& err);

// Saves `period` to `file`; on failure reports it on `err` and returns false.
bool savePeriodOrReport(const TPeriodData& period, const std::string& file,
                        const TMessageBundle& bundle, std::ostream& err);

// Reports a file that could not be written.
void reportSaveError(const std::string& file, const std::string& reason,
                     const TMessageBundle& bundle, std::ostream& err);
