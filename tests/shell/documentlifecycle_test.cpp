#include "shelltesting.h"

#include "files/engmessagebundle.h"
#include "files/midiexport.h"
#include "files/musicxmlexport.h"
#include "files/periodbuilder.h"
#include "files/periodwriter.h"
#include "playback/motiveplayer.h"
#include "playback/nullbackend.h"
#include "playback/player.h"
#include "shell/documentlifecycle.h"

#include <gtest/gtest.h>

namespace {

struct TCountingListener : TPeriodDataListener {
    int changes = 0;
    void periodChanged() override { ++changes; }
    void tempoChanged(int) override {}
    void nameChanged(const std::string&) override {}
};

class DocumentLifecycle : public ::testing::Test {
protected:
    DocumentLifecycle() {
        period.setListener(&listener);
        buildDefaultPeriod(period);
        // Something the user did since: a default period is not what the tests start from.
        period.setTempo(130);
        listener.changes = 0;
    }

    std::string overwriteQuestion(const std::filesystem::path& name) const {
        return "The file\n" + name.string() + "\n already exists. Replace?";
    }

    TTempFolder folder;
    TEngMessageBundle bundle;
    TNullBackend backend;
    TPlayer player{backend};
    TMotivePlayer motivePlayer{&player, true};
    TScriptedDialogs dialogs;
    TCountingListener listener;
    TPeriodData period;
    TDocumentLifecycle documents{period, motivePlayer, bundle, dialogs, folder.path()};
};

TEST_F(DocumentLifecycle, AFailedOpenSaysWhyAndKeepsTheOpenCompositionWithItsChanges) {
    const auto kept = folder / "kept.tnr";
    ASSERT_TRUE(documents.saveTo(kept));
    period.setTempo(140); // not saved yet
    const std::string before = periodDocument(period);
    std::filesystem::create_directory(folder / "folder.tnr");
    const struct {
        std::string file;
        std::string content;
        std::string reason;
    } cases[] = {
        {"score.musicxml", "<score-partwise version=\"4.0\"><part-list/></score-partwise>",
         "it is not a Tonaria composition"},
        {"settings.tnr", "<CONFIG><MIDI_DEVICE VALUE=\"0\"/></CONFIG>",
         "it is not a Tonaria composition"},
        {"fast.tnr", "<PERIOD><TEMP VALUE=\"fast\"/></PERIOD>",
         "TEMP at offset 9: VALUE \"fast\" is not a whole number"},
        {"empty.tnr", "", "no document element"},
        {"missing.tnr", "", "No such file or directory"},
        {"folder.tnr", "", "it is a folder"},
    };
    for (const auto& each : cases) {
        const auto name = folder / each.file;
        if (each.file != "missing.tnr" && each.file != "folder.tnr")
            writeWhole(name, each.content);
        dialogs.messages.clear();
        listener.changes = 0;

        EXPECT_FALSE(documents.openFrom(name));

        ASSERT_EQ(dialogs.messages.size(), 1u) << each.file;
        EXPECT_EQ(dialogs.messages[0].text,
                  "Unable to open file " + name.string() + ": " + each.reason);
        EXPECT_EQ(dialogs.messages[0].caption, "Error");
        EXPECT_EQ(periodDocument(period), before) << each.file;
        EXPECT_EQ(period.name(), kept.string());
        EXPECT_TRUE(documents.isModified()) << "the unsaved change is still unsaved";
        EXPECT_EQ(listener.changes, 0) << "the views stay";
        if (each.file != "missing.tnr" && each.file != "folder.tnr") {
            EXPECT_EQ(readWhole(name), each.content) << "nothing is written over a refused file";
        }
    }
}

TEST_F(DocumentLifecycle, AnExampleOpensAsAnUntitledCopyAndSaveAsksForAName) {
    const auto example = folder / "example.tnr";
    period.setTempo(90);
    writeWhole(example, periodDocument(period));
    buildDefaultPeriod(period);
    listener.changes = 0;

    ASSERT_TRUE(documents.openCopyFrom(example));
    EXPECT_EQ(period.tempo(), 90);
    EXPECT_EQ(period.name(), "Untitled");
    EXPECT_FALSE(documents.isModified());
    EXPECT_EQ(listener.changes, 1);

    period.setTempo(95);
    const auto mine = folder / "mine.tnr";
    dialogs.fileAnswers = {mine};
    documents.save();
    EXPECT_EQ(dialogs.fileChoices.size(), 1u) << "Save asked for a name";
    EXPECT_EQ(readWhole(mine), periodDocument(period));
    EXPECT_NE(readWhole(example), periodDocument(period)) << "the example stays as it came";
    EXPECT_EQ(period.name(), mine.string());
}

TEST_F(DocumentLifecycle, SavedCompositionOpensAgainUnderItsFileName) {
    const auto name = folder / "song.tnr";
    ASSERT_TRUE(documents.saveTo(name));
    buildDefaultPeriod(period);
    listener.changes = 0;

    dialogs.saveAnswers = {TSaveChangesAnswer::Discard};
    dialogs.fileAnswers = {name};
    documents.open();

    EXPECT_EQ(dialogs.saveQuestions.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(period.tempo(), 130);
    EXPECT_EQ(period.name(), name.string());
    EXPECT_EQ(listener.changes, 1);
    ASSERT_EQ(dialogs.fileChoices.size(), 1u);
    EXPECT_EQ(dialogs.fileChoices[0].suffix, "tnr");
    EXPECT_EQ(dialogs.fileChoices[0].folder, folder / "tnrs");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "tnrs"));
}

TEST_F(DocumentLifecycle, SaveOfAnUntitledCompositionAsksForANameThenWritesWithoutAsking) {
    const auto name = folder / "first.tnr";
    dialogs.fileAnswers = {name};
    documents.save();

    EXPECT_TRUE(dialogs.questions.empty()) << "a new file is written without a question";
    EXPECT_EQ(readWhole(name), periodDocument(period));
    EXPECT_EQ(period.name(), name.string());

    period.setTempo(70);
    documents.save();
    EXPECT_EQ(dialogs.fileChoices.size(), 1u) << "the second save needs no dialog";
    EXPECT_EQ(readWhole(name), periodDocument(period));
}

TEST_F(DocumentLifecycle, SaveAsCancelledWritesNothing) {
    documents.saveAs();
    EXPECT_EQ(period.name(), "Untitled");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DocumentLifecycle, SavingOverAnExistingFileAsksFirst) {
    const auto name = folder / "old.tnr";
    writeWhole(name, "the old composition");

    dialogs.fileAnswers = {name};
    dialogs.confirmAnswers = {false};
    documents.saveAs();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, overwriteQuestion(name));
    EXPECT_EQ(dialogs.questions[0].caption, "Warning");
    EXPECT_EQ(readWhole(name), "the old composition") << "Cancel writes nothing";
    EXPECT_EQ(period.name(), "Untitled");

    dialogs.fileAnswers = {name};
    dialogs.confirmAnswers = {true};
    documents.saveAs();
    EXPECT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(readWhole(name), periodDocument(period));
    EXPECT_EQ(period.name(), name.string());
}

TEST_F(DocumentLifecycle, AFailedSaveReportsItAndChangesNothing) {
    const auto name = folder / "no such folder" / "song.tnr";
    EXPECT_FALSE(documents.saveTo(name));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "The error occurs while saving of the file " +
                                            name.string() + ": No such file or directory");
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
    EXPECT_EQ(period.name(), "Untitled");
    EXPECT_EQ(period.tempo(), 130);
}

TEST_F(DocumentLifecycle, ExportWritesTheMidiFileOfThePeriod) {
    const auto name = folder / "song.mid";
    dialogs.fileAnswers = {name};
    documents.exportToMidi();

    const std::string bytes = readWhole(name);
    const std::vector<std::uint8_t> expected = midiFileBytes(period);
    EXPECT_EQ(bytes, std::string(expected.begin(), expected.end()));
    EXPECT_EQ(bytes.substr(0, 4), "MThd");
    ASSERT_EQ(dialogs.fileChoices.size(), 1u);
    EXPECT_EQ(dialogs.fileChoices[0].suffix, "mid");
    EXPECT_EQ(dialogs.fileChoices[0].folder, folder / "mids");
    EXPECT_EQ(period.name(), "Untitled") << "an export does not rename the composition";
    EXPECT_FALSE(std::filesystem::exists(folder / "song.mid.part"));
}

TEST_F(DocumentLifecycle, MusicXmlExportOffersTheScoresFolderAndAsksBeforeReplacing) {
    const auto name = folder / "song.musicxml";
    dialogs.fileAnswers = {name};
    documents.exportToMusicXml();
    EXPECT_EQ(readWhole(name), musicXmlDocument(period, "song"))
        << "an untitled composition is titled after the file";
    ASSERT_EQ(dialogs.fileChoices.size(), 1u);
    EXPECT_EQ(dialogs.fileChoices[0].suffix, "musicxml");
    EXPECT_EQ(dialogs.fileChoices[0].folder, folder / "xmls");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "xmls"));

    writeWhole(name, "old score");
    dialogs.fileAnswers = {name};
    documents.exportToMusicXml();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, overwriteQuestion(name));
    EXPECT_EQ(readWhole(name), "old score") << "the question was answered with Cancel";

    const auto unwritable = folder / "no such folder" / "song.musicxml";
    EXPECT_FALSE(documents.exportMusicXmlTo(unwritable));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "The error occurs while saving of the file " +
                                            unwritable.string() + ": No such file or directory");
}

TEST_F(DocumentLifecycle, ExportOverAnExistingFileAsksAndKeepsItOnCancel) {
    const auto name = folder / "song.mid";
    writeWhole(name, "old export");
    dialogs.fileAnswers = {name};
    documents.exportToMidi();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, overwriteQuestion(name));
    EXPECT_EQ(readWhole(name), "old export");
}

TEST_F(DocumentLifecycle, AFailedExportReportsItAndLeavesTheOldFileWhole) {
    // The target is a folder: nothing can replace it, and it must survive the attempt.
    const auto name = folder / "taken.mid";
    std::filesystem::create_directories(name / "inside");
    EXPECT_FALSE(documents.exportTo(name));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.rfind(
                  "The error occurs while saving of the file " + name.string() + ": ", 0),
              0u);
    EXPECT_TRUE(std::filesystem::is_directory(name / "inside"));
    EXPECT_FALSE(std::filesystem::exists(folder / "taken.mid.part"));
}

// The structure of a small new period: one sentence of phrases A and B, A major, 3/8.
TPeriodStructure smallStructure() {
    TPeriodStructure structure;
    structure.phraseCounts = {2};
    structure.motiveCounts = {1, 3};
    structure.letters = {5, 6};
    structure.key = TKey(3, MAJOR);
    structure.measure = TMeasure(3, EIGHTH);
    structure.zatakt = 30;
    structure.tempo = 85;
    return structure;
}

TEST_F(DocumentLifecycle, KnowsWhenThePeriodDiffersFromItsFile) {
    EXPECT_TRUE(documents.isModified()) << "the tempo changed after the lifecycle started";
    ASSERT_TRUE(documents.saveTo(folder / "song.tnr"));
    EXPECT_FALSE(documents.isModified());

    TMotive& motive = period.sentences()[1].phrases()[0].motives()[1];
    motive.notes().push_back(TNote(0, 20, 120));
    EXPECT_TRUE(documents.isModified()) << "a note in any motive";
    motive.notes().clear();
    EXPECT_FALSE(documents.isModified()) << "taking it back again";
    period.setTempo(131);
    EXPECT_TRUE(documents.isModified());
    period.setTempo(130);
    period.setName("elsewhere");
    EXPECT_FALSE(documents.isModified()) << "a name is not part of the document";

    buildDefaultPeriod(period);
    EXPECT_TRUE(documents.isModified()) << "another structure";
    ASSERT_TRUE(documents.openFrom(folder / "song.tnr"));
    EXPECT_FALSE(documents.isModified());
    EXPECT_FALSE(documents.openFrom(folder / "missing.tnr"));
    EXPECT_FALSE(documents.isModified()) << "the default period after a failed open is fresh";
}

TEST_F(DocumentLifecycle, TellsWhenThePeriodBecomesUnmodified) {
    int told = 0;
    documents.setUnmodifiedListener([&] {
        ++told;
        EXPECT_FALSE(documents.isModified());
    });
    ASSERT_TRUE(documents.saveTo(folder / "song.tnr"));
    ASSERT_TRUE(documents.openFrom(folder / "song.tnr"));
    documents.buildDefault();
    EXPECT_EQ(told, 3);
    EXPECT_FALSE(documents.saveTo(folder.path())) << "a folder cannot be written";
    EXPECT_EQ(told, 3);
}

TEST_F(DocumentLifecycle, UnsavedWorkIsKeptWhenTheQuestionIsCancelled) {
    const std::string before = periodDocument(period);
    dialogs.fileAnswers = {folder / "other.tnr"};
    documents.open(); // no answer in the script: the question is cancelled

    ASSERT_EQ(dialogs.saveQuestions.size(), 1u);
    EXPECT_EQ(dialogs.saveQuestions[0].text, "Save changes to Untitled?");
    EXPECT_EQ(dialogs.saveQuestions[0].caption, "The Tonaria");
    EXPECT_TRUE(dialogs.fileChoices.empty()) << "no file dialog after Cancel";
    EXPECT_EQ(periodDocument(period), before);
    EXPECT_FALSE(documents.newComposition());
    EXPECT_EQ(dialogs.newDialogs, 0);
    EXPECT_EQ(dialogs.saveQuestions.size(), 2u);
    EXPECT_EQ(periodDocument(period), before);
}

TEST_F(DocumentLifecycle, SavingFromTheQuestionMustSucceedBeforeTheCommandGoesOn) {
    // Save, then the save dialog is cancelled: nothing is written and nothing is replaced.
    dialogs.saveAnswers = {TSaveChangesAnswer::Save};
    EXPECT_FALSE(documents.maySetAside());
    EXPECT_EQ(dialogs.fileChoices.size(), 1u);
    EXPECT_TRUE(documents.isModified());

    // Save to a name that cannot be written.
    std::filesystem::create_directories(folder / "taken.tnr");
    dialogs.saveAnswers = {TSaveChangesAnswer::Save};
    dialogs.fileAnswers = {folder / "taken.tnr"};
    dialogs.confirmAnswers = {true};
    EXPECT_FALSE(documents.maySetAside());
    EXPECT_EQ(dialogs.messages.size(), 1u);

    dialogs.saveAnswers = {TSaveChangesAnswer::Save};
    dialogs.fileAnswers = {folder / "kept.tnr"};
    EXPECT_TRUE(documents.maySetAside());
    EXPECT_EQ(readWhole(folder / "kept.tnr"), periodDocument(period));

    // Saved now: the next command asks nothing; a named composition is saved without a dialog.
    EXPECT_TRUE(documents.maySetAside());
    EXPECT_EQ(dialogs.saveQuestions.size(), 3u);
    period.setTempo(55);
    dialogs.saveAnswers = {TSaveChangesAnswer::Save};
    EXPECT_TRUE(documents.maySetAside());
    EXPECT_EQ(dialogs.saveQuestions.back().text, "Save changes to kept.tnr?");
    EXPECT_EQ(readWhole(folder / "kept.tnr"), periodDocument(period));
}

TEST_F(DocumentLifecycle, DiscardingLetsNewReplaceThePeriod) {
    dialogs.saveAnswers = {TSaveChangesAnswer::Discard};
    dialogs.newAnswers = {smallStructure()};
    EXPECT_TRUE(documents.newComposition());

    EXPECT_EQ(dialogs.newDialogs, 1);
    EXPECT_EQ(listener.changes, 1);
    EXPECT_EQ(period.motiveCount(), 4);
    EXPECT_EQ(period.key(), TKey(3, MAJOR));
    EXPECT_EQ(period.zatakt(), 30);
    EXPECT_EQ(period.tempo(), 85);
    EXPECT_EQ(period.name(), "Untitled");
    EXPECT_FALSE(documents.isModified());
    EXPECT_TRUE(dialogs.messages.empty());

    // Unchanged since: the next New asks nothing, and its Cancel leaves the period alone.
    const std::string before = periodDocument(period);
    EXPECT_FALSE(documents.newComposition());
    EXPECT_EQ(dialogs.newDialogs, 2);
    EXPECT_EQ(dialogs.saveQuestions.size(), 1u);
    EXPECT_EQ(periodDocument(period), before);
    EXPECT_EQ(listener.changes, 1);
}

TEST_F(DocumentLifecycle, AStructureThatCannotBeBuiltIsReportedAndChangesNothing) {
    TPeriodStructure broken = smallStructure();
    broken.motiveCounts = {1};
    const std::string before = periodDocument(period);
    EXPECT_FALSE(documents.buildFrom(broken));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
    EXPECT_EQ(periodDocument(period), before);
    EXPECT_TRUE(documents.isModified());
}

} // namespace

namespace {

TEST_F(DocumentLifecycle, ACompositionSetAsideComesBackWithItsNameAndItsMarkOfChanges) {
    const auto mine = folder / "mine.tnr";
    const auto aside = folder / "aside.tnr";
    const auto other = folder / "other.tnr";
    ASSERT_TRUE(documents.saveTo(mine));
    for (const bool changed : {false, true}) {
        if (changed)
            period.setTempo(141);
        const std::string before = periodDocument(period);
        ASSERT_TRUE(documents.setAsideTo(aside));
        // Setting aside neither renames nor counts as saving.
        EXPECT_EQ(period.name(), mine.string());
        EXPECT_EQ(documents.isModified(), changed);
        EXPECT_EQ(readWhole(aside), before);
        period.setTempo(60);
        ASSERT_TRUE(documents.saveTo(other));
        ASSERT_TRUE(documents.takeBackFrom(aside));
        EXPECT_EQ(periodDocument(period), before);
        EXPECT_EQ(period.name(), mine.string());
        EXPECT_EQ(documents.isModified(), changed);
        // Taken back once: a second call has nothing to give back.
        EXPECT_FALSE(documents.takeBackFrom(aside));
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DocumentLifecycle, AFailedSetAsideOrTakeBackKeepsTheOpenCompositionAndSaysNothing) {
    const std::string before = periodDocument(period);
    EXPECT_FALSE(documents.setAsideTo(folder / "missing-folder" / "aside.tnr"));
    EXPECT_FALSE(documents.takeBackFrom(folder / "aside.tnr"));
    ASSERT_TRUE(documents.setAsideTo(folder / "aside.tnr"));
    writeWhole(folder / "aside.tnr", "<PERIOD>");
    period.setTempo(90);
    const std::string demonstration = periodDocument(period);
    EXPECT_FALSE(documents.takeBackFrom(folder / "aside.tnr"));
    EXPECT_EQ(periodDocument(period), demonstration);
    // Mended on the disk, the composition still comes back.
    writeWhole(folder / "aside.tnr", before);
    EXPECT_TRUE(documents.takeBackFrom(folder / "aside.tnr"));
    EXPECT_EQ(periodDocument(period), before);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
