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

void expectDefaultPeriod(const TPeriodData& period) {
    ASSERT_EQ(period.sentences().size(), 2u);
    std::string letters;
    for (const TSentenceData& sentence : period.sentences()) {
        ASSERT_EQ(sentence.phrases().size(), 2u);
        for (const TPhraseData& phrase : sentence.phrases()) {
            EXPECT_EQ(phrase.motives().size(), 2u);
            letters += std::to_string(phrase.suffix()) + " ";
        }
    }
    EXPECT_EQ(letters, "5 6 10 11 ");
    EXPECT_EQ(period.key().sign(), -2);
    EXPECT_TRUE(period.key().isMinor());
    EXPECT_EQ(period.measure().ticksPerMeasure(), 240);
    EXPECT_EQ(period.zatakt(), 60);
    EXPECT_EQ(period.tempo(), 100);
    EXPECT_EQ(period.name(), "Untitled");
}

TEST_F(DocumentLifecycle, OpeningABadFileReportsItAndLeavesTheDefaultPeriod) {
    for (const std::string content :
         {"not xml at all", "<PERIOD><TEMP VALUE=\"fast\"/></PERIOD>", ""}) {
        const auto name = folder / "bad.tnr";
        writeWhole(name, content);
        dialogs.messages.clear();
        period.setTempo(130);
        listener.changes = 0;

        EXPECT_FALSE(documents.openFrom(name));

        ASSERT_EQ(dialogs.messages.size(), 1u) << content;
        EXPECT_EQ(dialogs.messages[0].text, "Unable to open file\n" + name.string());
        EXPECT_EQ(dialogs.messages[0].caption, "Error");
        expectDefaultPeriod(period);
        EXPECT_EQ(listener.changes, 1) << "the views are rebuilt for the default period";
    }
}

TEST_F(DocumentLifecycle, OpeningAMissingFileIsAFailureToo) {
    EXPECT_FALSE(documents.openFrom(folder / "nowhere.tnr"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    expectDefaultPeriod(period);
}

TEST_F(DocumentLifecycle, SavedCompositionOpensAgainUnderItsFileName) {
    const auto name = folder / "song.tnr";
    ASSERT_TRUE(documents.saveTo(name));
    buildDefaultPeriod(period);
    listener.changes = 0;

    dialogs.fileAnswers = {name};
    documents.open();

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
    EXPECT_EQ(dialogs.messages[0].text,
              "The error occurs while saving of the file\n" + name.string());
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
    EXPECT_EQ(readWhole(name), musicXmlDocument(period));
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
    EXPECT_EQ(dialogs.messages[0].text,
              "The error occurs while saving of the file\n" + unwritable.string());
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
    EXPECT_EQ(dialogs.messages[0].text,
              "The error occurs while saving of the file\n" + name.string());
    EXPECT_TRUE(std::filesystem::is_directory(name / "inside"));
    EXPECT_FALSE(std::filesystem::exists(folder / "taken.mid.part"));
}

} // namespace
