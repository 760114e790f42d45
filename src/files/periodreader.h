#pragma once

#include "model/period.h"

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace pugi {
class xml_node;
}

// A composition document could not be read: the file is missing or unreadable, the XML is
// malformed or not a composition, a number is not a number, a limit is passed, or a value would
// break the model (a pitch off the key
// tables, a note that never ends, notes out of time order, an unknown chord type, ...).
class TPeriodReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Why a document whose element is not "PERIOD" is refused.
inline constexpr const char* NOT_A_COMPOSITION = "it is not a Tonaria composition";

// Rebuilds `period` from the document element of a parsed composition document, which must be
// named "PERIOD". Its children are applied in document order, so motives are built
// with the key, meter and upbeat read so far, and settings the document does not mention keep
// the values `period` had. On success the sentences, key, meter, upbeat and tempo are replaced;
// the name and the listener stay and nobody is notified (the owner calls notifyChanged()). On
// failure TPeriodReadError is thrown and `period` is left exactly as it was.
void readPeriod(TPeriodData& period, const pugi::xml_node& documentElement);

// As readPeriod, for the text of a whole document; it must be well-formed XML with exactly one
// element at its top level and nothing but comments and declarations around it.
void readPeriodText(TPeriodData& period, std::string_view text);

// As readPeriodText, for a file, which must be a regular file of at most
// MAX_COMPOSITION_FILE_BYTES. The error's text is the reason alone, without the file's name.
void readPeriodFile(TPeriodData& period, const std::filesystem::path& file);
