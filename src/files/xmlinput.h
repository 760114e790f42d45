#pragma once

#include <cstdint>
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

// Reads the whole file at `path` into `text` when it is a regular file of at most `maxBytes`
// bytes. A named pipe, a device or a folder is refused without being read, so that reading never
// waits for a writer. Returns why the file was refused, in plain words ("Permission denied",
// "it is not a regular file"), or nothing on success.
std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::string& text,
                                           std::uintmax_t maxBytes);

// A signed 32-bit decimal: an optional minus sign and one or more digits, nothing else (no plus
// sign, no spaces). Nothing when the text is not such a number or does not fit.
std::optional<int> parseDecimal(std::string_view text);
