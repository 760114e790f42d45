#include "files/settings.h"

#include "files/atomicfile.h"
#include "files/xmlinput.h"

#include <pugixml.hpp>

#include <optional>

int readMidiDevice(const std::filesystem::path& settingsFile) {
    std::string text;
    if (!readWholeFile(settingsFile, text))
        return NO_MIDI_DEVICE;
    pugi::xml_document document;
    if (parseDocument(document, text))
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

std::string settingsDocument(int device) {
    return "<CONFIG>\n    <MIDI_DEVICE VALUE=\"" + std::to_string(device) + "\"/>\n</CONFIG>";
}

bool writeMidiDevice(const std::filesystem::path& settingsFile, int device) noexcept {
    try {
        if (settingsFile.has_parent_path()) {
            std::error_code ignored; // a folder that cannot be made fails the write below
            std::filesystem::create_directories(settingsFile.parent_path(), ignored);
        }
        writeFileAtomically(settingsFile, settingsDocument(device));
        return true;
    } catch (...) {
        return false;
    }
}
