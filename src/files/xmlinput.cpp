#include "files/xmlinput.h"

#include <pugixml.hpp>

#include <charconv>
#include <fstream>
#include <iterator>

std::optional<std::string> parseDocument(pugi::xml_document& document, std::string_view text) {
    // Fragment parsing keeps text that stands beside the document element, so that trailing
    // content is seen and refused instead of silently dropped.
    constexpr unsigned options = pugi::parse_default | pugi::parse_fragment;
    const pugi::xml_parse_result result = document.load_buffer(text.data(), text.size(), options);
    if (!result)
        return std::string("malformed XML at offset ") + std::to_string(result.offset) + ": " +
               result.description();

    int elements = 0;
    for (const pugi::xml_node node : document.children()) {
        switch (node.type()) {
        case pugi::node_element:
            ++elements;
            break;
        case pugi::node_pcdata:
        case pugi::node_cdata:
            return std::string("text outside the document element");
        default:
            break;
        }
    }
    if (elements == 0)
        return std::string("no document element");
    if (elements > 1)
        return std::string("content after the document element");
    return std::nullopt;
}

bool readWholeFile(const std::filesystem::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    try {
        // The stream reports a read error (a folder, a failing disk) by throwing.
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return false;
    }
    return !in.bad();
}

std::optional<int> parseDecimal(std::string_view text) {
    const char* first = text.data();
    const char* last = first + text.size();
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}
