#pragma once

#include "model/period.h"

#include <filesystem>
#include <ostream>
#include <string>

// Writes the composition document of `period` with its fixed layout: one tag per line, four
// spaces per level, attributes in their fixed order and no line end after "</PERIOD>".
void writePeriod(std::ostream& out, const TPeriodData& period);
std::string periodDocument(const TPeriodData& period);
// The MOTIVE element of `motive` as the period's document writes it.
std::string motiveDocument(const TMotive& motive);

// Saves the document to `file`, replacing it whole or not at all. Throws TFileWriteError
// (files/atomicfile.h) when the file cannot be written; the old file is then left as it was.
void savePeriod(const TPeriodData& period, const std::filesystem::path& file);
