#include "files/settings.h"

#include "files/atomicfile.h"
#include "files/xmlinput.h"

#include <pugixml.hpp>

#include <optional>

namespace {

constexpr const char* CADENCES_ELEMENT = "CADENCES";

bool loadSettings(const std::filesystem::path& settingsFile, pugi::xml_document& document) {
    // A few lines; anything much larger is not a settings file.
    constexpr std::uintmax_t maxBytes = 1024 * 1024;
    std::string text;
    return !readRegularFile(settingsFile, text, maxBytes) && !parseDocument(document, text);
}

bool writeSettings(const std::filesystem::path& settingsFile, int device, bool cadences) noexcept {
    try {
        if (settingsFile.has_parent_path()) {
            std::error_code ignored; // a folder that cannot be made fails the write below
            std::filesystem::create_directories(settingsFile.parent_path(), ignored);
        }
        writeFileAtomically(settingsFile, settingsDocument(device, cadences));
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

int readMidiDevice(const std::filesystem::path& settingsFile) {
    pugi::xml_document document;
    if (!loadSettings(settingsFile, document))
        return NO_MIDI_DEVICE;

    int device = NO_MIDI_DEVICE;
    for (const pugi::xml_node child : document.document_element().children("MIDI_DEVICE")) {
        for (const pugi::xml_attribute attribute : child.attributes()) {
            if (std::string_view(attribute.name()) != "VALUE")
                continue;
            const std::optional<int> value = parseDecimal(attribute.value());
            if (!value)
                return NO_MIDI_DEVICE;
            device = *value;
        }
    }
    return device;
}

bool readCadences(const std::filesystem::path& settingsFile) {
    pugi::xml_document document;
    if (!loadSettings(settingsFile, document))
        return false;
    bool cadences = false;
    for (const pugi::xml_node child : document.document_element().children(CADENCES_ELEMENT))
        for (const pugi::xml_attribute attribute : child.attributes())
            if (std::string_view(attribute.name()) == "VALUE")
                cadences = std::string_view(attribute.value()) == "1";
    return cadences;
}

std::string settingsDocument(int device, bool cadences) {
    std::string text = "<CONFIG>\n    <MIDI_DEVICE VALUE=\"" + std::to_string(device) + "\"/>\n";
    if (cadences)
        text += "    <" + std::string(CADENCES_ELEMENT) + " VALUE=\"1\"/>\n";
    return text + "</CONFIG>";
}

bool writeMidiDevice(const std::filesystem::path& settingsFile, int device) noexcept {
    return writeSettings(settingsFile, device, readCadences(settingsFile));
}

bool writeCadences(const std::filesystem::path& settingsFile, bool cadences) noexcept {
    return writeSettings(settingsFile, readMidiDevice(settingsFile), cadences);
}
