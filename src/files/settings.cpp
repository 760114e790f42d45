#include "files/settings.h"

#include "files/atomicfile.h"
#include "files/xmlinput.h"

#include <pugixml.hpp>

#include <algorithm>
#include <optional>
#include <sstream>

namespace {

constexpr const char* SCHOOL_HARMONY_ELEMENT = "SCHOOL_HARMONY";
// What earlier versions stored instead: "1" asked for cadences at phrase ends.
constexpr const char* CADENCES_ELEMENT = "CADENCES";
constexpr const char* RECENT_ELEMENT = "RECENT";
constexpr const char* FAST_MENU_ELEMENT = "FAST_MENU";

bool loadSettings(const std::filesystem::path& settingsFile, pugi::xml_document& document) {
    // A few lines; anything much larger is not a settings file.
    constexpr std::uintmax_t maxBytes = 1024 * 1024;
    std::string text;
    return !readRegularFile(settingsFile, text, maxBytes) && !parseDocument(document, text);
}

// Everything the file keeps; each write replaces one of them and keeps the others.
struct TStoredSettings {
    int device = NO_MIDI_DEVICE;
    bool schoolHarmony = true;
    std::vector<std::string> recent;
    bool fastMenu = true;
};

TStoredSettings readStored(const std::filesystem::path& settingsFile) {
    return {readMidiDevice(settingsFile), readSchoolHarmony(settingsFile),
            readRecentFiles(settingsFile), readFastMenuShown(settingsFile)};
}

bool writeStored(const std::filesystem::path& settingsFile,
                 const TStoredSettings& settings) noexcept {
    try {
        if (settingsFile.has_parent_path()) {
            std::error_code ignored; // a folder that cannot be made fails the write below
            std::filesystem::create_directories(settingsFile.parent_path(), ignored);
        }
        writeFileAtomically(settingsFile, settingsDocument(settings.device, settings.schoolHarmony,
                                                           settings.recent, settings.fastMenu));
        return true;
    } catch (...) {
        return false;
    }
}

// Reads the file, lets `change` replace one setting and writes the whole file again.
template <typename Change>
bool rewriteSettings(const std::filesystem::path& settingsFile, Change change) noexcept {
    try {
        TStoredSettings settings = readStored(settingsFile);
        change(settings);
        return writeStored(settingsFile, settings);
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

namespace {

// The last VALUE of the elements named `element`, or none.
std::optional<std::string> lastValue(const pugi::xml_document& document, const char* element) {
    std::optional<std::string> value;
    for (const pugi::xml_node child : document.document_element().children(element))
        for (const pugi::xml_attribute attribute : child.attributes())
            if (std::string_view(attribute.name()) == "VALUE")
                value = attribute.value();
    return value;
}

} // namespace

bool readSchoolHarmony(const std::filesystem::path& settingsFile) {
    pugi::xml_document document;
    if (!loadSettings(settingsFile, document))
        return true;
    std::optional<std::string> value = lastValue(document, SCHOOL_HARMONY_ELEMENT);
    if (!value)
        value = lastValue(document, CADENCES_ELEMENT);
    return value != "0";
}

bool readFastMenuShown(const std::filesystem::path& settingsFile) {
    pugi::xml_document document;
    return !loadSettings(settingsFile, document) || lastValue(document, FAST_MENU_ELEMENT) != "0";
}

std::string settingsDocument(int device, bool schoolHarmony, const std::vector<std::string>& recent,
                             bool fastMenu) {
    std::string text = "<CONFIG>\n    <MIDI_DEVICE VALUE=\"" + std::to_string(device) + "\"/>\n";
    if (!schoolHarmony)
        text += "    <" + std::string(SCHOOL_HARMONY_ELEMENT) + " VALUE=\"0\"/>\n";
    if (!fastMenu)
        text += "    <" + std::string(FAST_MENU_ELEMENT) + " VALUE=\"0\"/>\n";
    // pugixml writes the names with the escapes XML needs.
    for (std::size_t i = 0; i < recent.size() && i < RECENT_FILE_COUNT; ++i) {
        pugi::xml_document element;
        element.append_child(RECENT_ELEMENT).append_attribute("FILE") = recent[i].c_str();
        std::ostringstream out;
        element.save(out, "", pugi::format_raw | pugi::format_no_declaration);
        text += "    " + out.str() + "\n";
    }
    return text + "</CONFIG>";
}

bool writeMidiDevice(const std::filesystem::path& settingsFile, int device) noexcept {
    return rewriteSettings(settingsFile,
                           [device](TStoredSettings& stored) { stored.device = device; });
}

bool writeSchoolHarmony(const std::filesystem::path& settingsFile, bool on) noexcept {
    return rewriteSettings(settingsFile,
                           [on](TStoredSettings& stored) { stored.schoolHarmony = on; });
}

bool writeFastMenuShown(const std::filesystem::path& settingsFile, bool shown) noexcept {
    return rewriteSettings(settingsFile,
                           [shown](TStoredSettings& stored) { stored.fastMenu = shown; });
}

std::vector<std::string> readRecentFiles(const std::filesystem::path& settingsFile) {
    std::vector<std::string> recent;
    pugi::xml_document document;
    if (!loadSettings(settingsFile, document))
        return recent;
    for (const pugi::xml_node child : document.document_element().children(RECENT_ELEMENT)) {
        const std::string file = child.attribute("FILE").value();
        std::error_code error;
        if (file.empty() || !std::filesystem::is_regular_file(file, error))
            continue;
        if (std::find(recent.begin(), recent.end(), file) == recent.end())
            recent.push_back(file);
        if (recent.size() == RECENT_FILE_COUNT)
            break;
    }
    return recent;
}

std::vector<std::string> withRecentFile(std::vector<std::string> recent, const std::string& file) {
    recent.erase(std::remove(recent.begin(), recent.end(), file), recent.end());
    recent.insert(recent.begin(), file);
    if (recent.size() > RECENT_FILE_COUNT)
        recent.resize(RECENT_FILE_COUNT);
    return recent;
}

bool writeRecentFiles(const std::filesystem::path& settingsFile,
                      const std::vector<std::string>& recent) noexcept {
    return rewriteSettings(settingsFile,
                           [&recent](TStoredSettings& stored) { stored.recent = recent; });
}
