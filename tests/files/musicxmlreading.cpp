#include "musicxmlreading.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

int midiPitch(const pugi::xml_node& pitch) {
    static constexpr std::array<int, 7> naturals{9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    const std::string step = pitch.child_value("step");
    if (step.size() != 1 || step[0] < 'A' || step[0] > 'G')
        throw std::runtime_error("bad step \"" + step + "\"");
    const int octave = pitch.child("octave").text().as_int();
    return 12 * (octave + 1) + naturals[static_cast<std::size_t>(step[0] - 'A')] +
           pitch.child("alter").text().as_int();
}

bool hasTie(const pugi::xml_node& note, const char* type) {
    for (const pugi::xml_node& tie : note.children("tie")) {
        if (std::string(tie.attribute("type").value()) == type)
            return true;
    }
    return false;
}

} // namespace

TReadScore readMusicXml(const std::string& text) {
    pugi::xml_document document;
    if (!document.load_string(text.c_str()))
        throw std::runtime_error("not well-formed XML");
    const pugi::xml_node score = document.child("score-partwise");
    if (!score)
        throw std::runtime_error("no score-partwise element");
    TReadScore read;
    int partIndex = 0;
    for (const pugi::xml_node& part : score.children("part")) {
        std::vector<TReadMeasure>& measures = read.parts.emplace_back();
        int divisions = 1;
        int measureStart = 0;
        // Notes still open for a tie, by voice and pitch: their index in read.notes.
        std::map<std::pair<int, int>, std::size_t> open;
        for (const pugi::xml_node& measure : part.children("measure")) {
            TReadMeasure& reading = measures.emplace_back();
            reading.number = measure.attribute("number").value();
            reading.implicit = std::string(measure.attribute("implicit").value()) == "yes";
            int position = 0;
            auto ticks = [&](const pugi::xml_node& node) {
                return node.child("duration").text().as_int() * 120 / divisions;
            };
            for (const pugi::xml_node& child : measure.children()) {
                const std::string name = child.name();
                if (name == "attributes" && child.child("divisions")) {
                    divisions = child.child("divisions").text().as_int();
                } else if (name == "backup") {
                    position -= ticks(child);
                } else if (name == "forward") {
                    position += ticks(child);
                    reading.voiceLengths[child.child("voice").text().as_int()] += ticks(child);
                } else if (name == "note") {
                    const int length = ticks(child);
                    const int voice = child.child("voice").text().as_int();
                    reading.voiceLengths[voice] += length;
                    if (child.child("pitch")) {
                        const int pitch = midiPitch(child.child("pitch"));
                        const auto key = std::make_pair(voice, pitch);
                        const auto tied = open.find(key);
                        if (hasTie(child, "stop") && tied != open.end()) {
                            read.notes[tied->second].length += length;
                        } else {
                            open[key] = read.notes.size();
                            read.notes.push_back(
                                {pitch, measureStart + position, length, partIndex});
                        }
                        if (!hasTie(child, "start"))
                            open.erase(key);
                    }
                    position += length;
                }
                reading.length = std::max(reading.length, position);
            }
            measureStart += reading.length;
        }
        ++partIndex;
    }
    std::sort(read.notes.begin(), read.notes.end());
    return read;
}
