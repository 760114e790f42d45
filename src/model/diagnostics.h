#pragma once

#include <ostream>

// The debug dumps of the music types go to this stream. It discards everything until a
// developer points it somewhere (a test, a debugging session); the user never sees it.
std::ostream& diagnostics();

// Directs the diagnostic stream to `target`; nullptr makes it silent again.
void setDiagnosticStream(std::ostream* target);
