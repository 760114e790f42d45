#pragma once

#include "model/period.h"

#include <filesystem>
#include <string>

// MusicXML 3.1 (partwise) of a period, for notation programs: a "Melody" part on a treble staff
// and a "Harmony" part on a grand staff holding the chords in four voices as a chorale is
// written (soprano and alto above, tenor and bass below, stems up and down), with each chord's
// Roman numeral and figures below the bass. Key, meter, the upbeat as a pickup measure, the
// tempo of playback, the phrase letters as rehearsal marks and the phrase and sentence ends as
// double bar lines come along. Version 3.1, because readers of 3.1 reject the whole file for
// one element of a later version. The title is the composition's name, without folder and
// extension.
std::string musicXmlDocument(const TPeriodData& period);
std::string musicXmlDocument(const TPeriodData& period, const std::string& title);

// Writes the document to `fileName`, replacing the file whole or not at all; a composition
// never saved is titled after `fileName`. Throws
// TFileWriteError (files/atomicfile.h) when it cannot be written.
void exportMusicXml(const TPeriodData& period, const std::filesystem::path& fileName);
