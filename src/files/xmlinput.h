#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pugi {
class xml_document;
}

// Parses `text` into `document`. Besides well-formedness the document must hold exactly one
// element at its top level and no text outside it; declarations, comments, processing
// instructions and a document type may stand around it. Whitespace between elements is
// dropped. Returns why the text was refused, or nothing on success.
std::optional<std::string> parseDocument(pugi::xml_document& document, std::string_view text);

// Reads the whole file at `path` into `text`; false when it cannot be opened or read.
bool readWholeFile(const std::filesystem::path& path, std::string& text);

// A signed 32-bit decimal: an optional minus sign and one or more digits, nothing else (no plus
// sign, no spaces). Nothing when the text is not such a number or does not fit.
std::optional<int> parseDecimal(std::string_view text);
