#pragma once

class TMainWindow;

// With TONARIA_TEST_EDITS naming a log file, the program edits its composition by itself, for
// tools/killtest.py, which kills it at random moments: it sets a new tempo every 100 to 400 ms,
// with pauses of 3.5 to 5 s now and then,, and every 25th edit it saves (an untitled composition to
// TONARIA_TEST_FILE). Each line of the log is on the disk before the next step: "edit MS TEMPO",
// "saving MS HASH" and "saved MS HASH" (HASH: the 64-bit FNV-1a of the document written, in hex),
// and at the start "recovered MS HASH" or "fresh MS". MS is the wall clock in milliseconds. Does
// nothing without the variable.
void startTestEdits(TMainWindow& window, bool recovered);
