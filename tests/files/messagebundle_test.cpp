#include "files/engmessagebundle.h"
#include "files/rusmessagebundle.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace {

class TTwiceAddedBundle : public TMessageBundle {
public:
    TTwiceAddedBundle() {
        addText("save", "first");
        addText("save", "second");
        const TBundleText rows[] = {{"save", "third"}, {"open", "Open"}};
        addTexts(rows);
        addList("group", {"a", "b"});
        addList("group", {"c"});
    }
};

// Decodes `text` as UTF-8 and reports whether it is well formed (shortest forms, no surrogates,
// nothing above U+10FFFF) and whether it holds at least one Cyrillic letter.
struct TUtf8Scan {
    bool valid = true;
    bool hasCyrillic = false;
};

TUtf8Scan scanUtf8(std::string_view text) {
    TUtf8Scan scan;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
        } else {
            return {false, false};
        }
        if (i + length > text.size()) {
            return {false, false};
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return {false, false};
            }
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return {false, false};
        }
        if (code >= 0x0400 && code <= 0x04FF) {
            scan.hasCyrillic = true;
        }
        i += length;
    }
    return scan;
}

} // namespace

TEST(MessageBundle, FirstEntryForARepeatedKeyWins) {
    const TTwiceAddedBundle bundle;
    EXPECT_EQ(bundle.text("save"), "first");
    EXPECT_EQ(bundle.text("open"), "Open");
    EXPECT_EQ(bundle.list("group"), (std::vector<std::string>{"a", "b"}));
}

TEST(MessageBundle, UnknownKeysGiveEmptyTextAndList) {
    const TEngMessageBundle bundle;
    // The new-composition dialog asks for "motives", which no table holds.
    EXPECT_EQ(bundle.text("motives"), "");
    EXPECT_EQ(bundle.text(""), "");
    EXPECT_TRUE(bundle.list("nothing").empty());
    EXPECT_TRUE(bundle.list("scheme").empty()) << "texts and lists are separate tables";
    EXPECT_EQ(bundle.text("major group"), "");
}

TEST(MessageBundle, KeysMatchExactly) {
    const TEngMessageBundle bundle;
    EXPECT_EQ(bundle.text("scheme"), "Scheme");
    EXPECT_EQ(bundle.text("Scheme"), "");
    EXPECT_EQ(bundle.text("scheme "), "");
    EXPECT_EQ(bundle.text("schem"), "");
}

TEST(EngMessageBundle, MessagesThatTheCommandBoundaryShows) {
    const TEngMessageBundle bundle;
    EXPECT_EQ(bundle.text("save error"), "The error occurs while saving of the file");
    EXPECT_EQ(bundle.text("open error"), "Unable to open file");
    EXPECT_EQ(bundle.text("open midi error"), "Cannot open MIDI output device");
    EXPECT_EQ(bundle.text("error"), "Error");
    EXPECT_EQ(bundle.text("warning"), "Warning");
    // The overwrite question is joined as "The file" + name + " already exists. Replace?".
    EXPECT_EQ(bundle.text("the file"), "The file");
    EXPECT_EQ(bundle.text("already exists"), " already exists. Replace?");
    EXPECT_EQ(bundle.text("midi device list error"),
              "The error occurs while loading of the Midi Devices list");
}

TEST(EngMessageBundle, PanelAndStructureCaptions) {
    const TEngMessageBundle bundle;
    EXPECT_EQ(bundle.text("sentence"), "Sentence");
    EXPECT_EQ(bundle.text("piece"), "Parts");
    EXPECT_EQ(bundle.text("rel. piece"), "Rel. Parts");
    EXPECT_EQ(bundle.text("rel. sequence down"), "Rel. Sequence Down");
    EXPECT_EQ(bundle.text("contrast motive"), "Motive For Contrast");
    EXPECT_EQ(bundle.text("bar"), "bar");
    EXPECT_EQ(bundle.text("temp"), "Tempo:");
    EXPECT_EQ(bundle.text("drag drop for ryhtm"),
              "Drag and drop motive on this figure to define the rhythm scheme");
    EXPECT_EQ(bundle.text("contrast one/many turn gen"),
              "Generate the scheme contrast to Motive for Contrast, in 'the scheme from single / "
              "several turns' category");
    EXPECT_EQ(bundle.text("demo9"), "How to edit motive");
    EXPECT_EQ(bundle.text("delete all notes"), "Delete all notes");
}

TEST(EngMessageBundle, MenuCaptionsCarryTheirMnemonics) {
    const TEngMessageBundle bundle;
    EXPECT_EQ(bundle.text("menu file"), "&File");
    EXPECT_EQ(bundle.text("menu save as"), "Save &As...");
    EXPECT_EQ(bundle.text("menu quit"), "&Quit");
    EXPECT_EQ(bundle.text("menu school harmony"), "&School harmony");
    EXPECT_EQ(bundle.text("play motive"), "Play the motive");
}

TEST(EngMessageBundle, EveryTextIsPresentAndShown) {
    const TEngMessageBundle bundle;
    // The first 125 texts, the texts of later features, 22 of the menus and the strip, 2 of the
    // demonstrations, 6 of the Edit menu and the period commands, 6 of the recovery of unsaved
    // work, the missing data files' notice, 2 of Open Recent, the lost output's notice and
    // View > Fast Menu.
    EXPECT_EQ(bundle.textTable().size(), 158u + 22u + 2u + 6u + 6u + 1u + 2u + 1u + 1u);
    EXPECT_EQ(bundle.listTable().size(), 6u);
    for (const auto& [key, text] : bundle.textTable()) {
        EXPECT_FALSE(text.empty()) << key;
        EXPECT_TRUE(scanUtf8(text).valid) << key;
    }
}

TEST(EngMessageBundle, KeyListsRunFromSevenFlatsToSevenSharps) {
    const TEngMessageBundle bundle;
    const auto& major = bundle.list("major group");
    const auto& minor = bundle.list("minor group");
    ASSERT_EQ(major.size(), 15u);
    ASSERT_EQ(minor.size(), 15u);
    // Entry i names the key with signature i - 7.
    EXPECT_EQ(major[0], "7 Flats: C-flat major");
    EXPECT_EQ(major[6], "1 Flat: F major");
    EXPECT_EQ(major[7], "C major");
    EXPECT_EQ(major[8], "1 Sharp: G major");
    EXPECT_EQ(major[14], "7 Sharps: C-sharp major");
    EXPECT_EQ(minor[0], "7 Flats: A-flat minor");
    EXPECT_EQ(minor[7], "A minor");
    EXPECT_EQ(minor[9], "2 Sharps: B minor");
    EXPECT_EQ(minor[14], "7 Sharps: A-sharp minor");
}

TEST(EngMessageBundle, TempoDurationAndMotiveTypeLists) {
    const TEngMessageBundle bundle;
    EXPECT_EQ(bundle.list("temp group"),
              (std::vector<std::string>{"Wide", "Slowly", "Unhurriedly", "Moderately", "Reservedly",
                                        "Animatedly", "Fast"}));
    // Entry i names the duration of 30 * (i + 1) ticks.
    const auto& durations = bundle.list("duration group");
    ASSERT_EQ(durations.size(), 8u);
    EXPECT_EQ(durations[0], "Sixteenth");
    EXPECT_EQ(durations[120 / 30 - 1], "Quarter");
    EXPECT_EQ(durations[180 / 30 - 1], "Pointed quarter");
    EXPECT_EQ(durations[7], "Half");
    EXPECT_EQ(bundle.list("motive type group"),
              (std::vector<std::string>{"Iambus", "Trochee", "Amphibrachys"}));
}

TEST(RusMessageBundle, TranslatesOnlyThePanelCaptions) {
    const TRusMessageBundle bundle;
    EXPECT_EQ(bundle.text("scheme"), "Схема");
    EXPECT_EQ(bundle.text("rel. other"), "Отн. Другие");
    EXPECT_EQ(bundle.text("scheme mode"), "Тип схемы:");
    EXPECT_EQ(bundle.text("major"), "Мажор");
    EXPECT_EQ(bundle.text("save error"), "");
    EXPECT_EQ(bundle.text("open midi error"), "");
    EXPECT_TRUE(bundle.list("duration group").empty());
    EXPECT_TRUE(bundle.list("motive type group").empty());
    EXPECT_EQ(bundle.textTable().size(), 27u);
}

TEST(RusMessageBundle, EveryKeyIsAnEnglishKeyWithListsOfTheSameLength) {
    const TEngMessageBundle english;
    const TRusMessageBundle russian;
    for (const auto& [key, text] : russian.textTable()) {
        EXPECT_FALSE(english.text(key).empty()) << key;
        EXPECT_NE(english.text(key), text) << key;
    }
    ASSERT_EQ(russian.listTable().size(), 3u);
    for (const auto& [key, entries] : russian.listTable()) {
        EXPECT_EQ(entries.size(), english.list(key).size()) << key;
    }
}

TEST(RusMessageBundle, TextsAreUtf8Cyrillic) {
    const TRusMessageBundle bundle;
    for (const auto& [key, text] : bundle.textTable()) {
        const TUtf8Scan scan = scanUtf8(text);
        EXPECT_TRUE(scan.valid) << key;
        EXPECT_TRUE(scan.hasCyrillic) << key;
    }
    for (const auto& [key, entries] : bundle.listTable()) {
        for (const std::string& entry : entries) {
            const TUtf8Scan scan = scanUtf8(entry);
            EXPECT_TRUE(scan.valid) << key << ": " << entry;
            EXPECT_TRUE(scan.hasCyrillic) << key << ": " << entry;
        }
    }
    // "Схема" is five two-byte letters; a single-byte code page would give five bytes.
    EXPECT_EQ(bundle.text("scheme").size(), 10u);
    EXPECT_EQ(bundle.list("major group")[7], "До мажор");
    EXPECT_EQ(bundle.list("temp group")[2], "Не спеша");
}

TEST(Utf8Scan, RejectsSingleByteCodePageText) {
    // Guards the checks above: "Схема" in Windows-1251 must not pass as UTF-8.
    EXPECT_FALSE(scanUtf8("\xD1\xF5\xE5\xEC\xE0").valid);
    EXPECT_FALSE(scanUtf8("\xC0\xAF").valid);
    EXPECT_FALSE(scanUtf8("\xD0").valid);
    EXPECT_TRUE(scanUtf8("Ля").hasCyrillic);
    EXPECT_FALSE(scanUtf8("abc").hasCyrillic);
}
