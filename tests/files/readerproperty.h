#pragma once

#include <optional>
#include <string>
#include <string_view>

// Feeds any bytes to the composition reader, as a damaged or hostile file would. Refusal is
// fine; what is accepted must be written back into a document that reads again, and one more
// round must change nothing. Returns what went wrong, or nothing. The fuzzer and the corpus
// test share this.
std::optional<std::string> checkReaderOnInput(std::string_view bytes);
