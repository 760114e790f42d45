#include "files/atomicfile.h"
#include "files/periodbuilder.h"
#include "files/periodwriter.h"
#include "files/recoverycopy.h"
#include "files/recoverywriter.h"
#include "periodtesting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

std::string composition(int tempo) {
    TPeriodData period;
    buildDefaultPeriod(period);
    period.setTempo(tempo);
    return periodDocument(period);
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(RecoveryCopy, ReadsBackWhatWasWrittenWithTheOriginalsNameAndTime) {
    TScratchFolder folder;
    const std::string document = composition(120);
    for (const std::string& original : {std::string(), std::string("/home/u/tnrs/song.tnr"),
                                        std::string("/odd\\name\nwith line\rends.tnr")}) {
        const fs::path file = folder / "copy.recovery";
        writeRecoveryCopy(file, original, 1765350000, document);
        const TRecoveryCopy copy = readRecoveryCopy(file);
        EXPECT_EQ(copy.original, original);
        EXPECT_EQ(copy.time, 1765350000);
        EXPECT_EQ(copy.document, document);
        EXPECT_EQ(copy.file, file);
    }
}

TEST(RecoveryCopy, NeverReplacesTheCompositionsOwnFile) {
    TScratchFolder folder;
    const fs::path own = folder / "song.tnr";
    writeText(own, "the user's file");
    fs::create_symlink(own, folder / "link.recovery");
    for (const fs::path& target : {own, folder / "link.recovery", folder / "." / "song.tnr"})
        EXPECT_THROW(writeRecoveryCopy(target, own.string(), 1, composition(100)), TFileWriteError)
            << target;
    EXPECT_EQ(readTextFile(own), "the user's file");
}

TEST(RecoveryCopy, ADamagedCopyIsRefusedWithAReasonAndSetAsideNeverDeleted) {
    TScratchFolder folder;
    const std::string good = recoveryText("/a.tnr", 5, composition(110));
    const struct {
        std::string name;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"foreign", "<score-partwise/>"},
        {"cut in the header", good.substr(0, 30)},
        {"cut in the document", good.substr(0, good.size() - 40)},
        {"time not a number",
         "TONARIA RECOVERY 1\nORIGINAL /a.tnr\nTIME 12x\n\n" + composition(100)},
        {"bad escape", "TONARIA RECOVERY 1\nORIGINAL /a\\q.tnr\nTIME 1\n\n" + composition(100)},
        {"no blank line", "TONARIA RECOVERY 1\nORIGINAL /a.tnr\nTIME 1\n" + composition(100)},
        {"not a composition", recoveryText("/a.tnr", 5, "<SCORE/>")},
    };
    for (const auto& entry : cases) {
        const fs::path file = folder / (entry.name + ".recovery");
        writeText(file, entry.text);
        try {
            readRecoveryCopy(file);
            ADD_FAILURE() << entry.name << " was read";
        } catch (const TRecoveryCopyError& error) {
            EXPECT_FALSE(std::string(error.what()).empty()) << entry.name;
        }
        const fs::path aside = setAsideDamagedCopy(file);
        EXPECT_FALSE(fs::exists(file)) << entry.name;
        EXPECT_EQ(readTextFile(aside), entry.text) << entry.name;
    }
    EXPECT_TRUE(findRecoveryCopies(folder.path()).empty()) << "a copy set aside is not offered";

    // A second damaged copy of the same name keeps the first one set aside.
    writeText(folder / "empty.recovery", "again");
    const fs::path second = setAsideDamagedCopy(folder / "empty.recovery");
    EXPECT_NE(second, folder / "empty.recovery.damaged");
    EXPECT_EQ(readTextFile(folder / "empty.recovery.damaged"), "");
    EXPECT_EQ(readTextFile(second), "again");
}

TEST(RecoveryCopy, TheSearchFindsOnlyCopiesNoRunningProgramHolds) {
    TScratchFolder folder;
    EXPECT_TRUE(findRecoveryCopies(folder / "missing").empty());
    auto gone = std::make_unique<TRecoverySession>(folder.path());
    const fs::path goneCopy = gone->copyFile();
    writeRecoveryCopy(goneCopy, "", 1, composition(100));
    const TRecoverySession running(folder.path());
    writeRecoveryCopy(running.copyFile(), "", 2, composition(101));
    EXPECT_NE(goneCopy, running.copyFile());
    EXPECT_TRUE(findRecoveryCopies(folder.path()).empty()) << "both programs still run";

    gone.reset(); // the program ended without removing its copy, as a killed one does
    writeText(folder / "notes.txt", "not a copy");
    EXPECT_EQ(findRecoveryCopies(folder.path()), std::vector<fs::path>{goneCopy});

    // A program that wrote nothing leaves no lock behind for long.
    { const TRecoverySession idle(folder.path()); }
    writeText(folder / "session-0-1.recovery.lock", "");
    findRecoveryCopies(folder.path());
    EXPECT_FALSE(fs::exists(folder / "session-0-1.recovery.lock"));
    EXPECT_TRUE(fs::exists(recoveryLockOf(running.copyFile())));

    removeRecoveryCopy(goneCopy);
    EXPECT_FALSE(fs::exists(goneCopy));
    EXPECT_TRUE(findRecoveryCopies(folder.path()).empty());
}

TEST(RecoveryWriter, WritesTheNewestStateAndRemovesInTheOrderAsked) {
    TScratchFolder folder;
    const fs::path file = folder / "own.recovery";
    {
        TRecoveryWriter writer(file);
        for (int tempo = 100; tempo < 110; ++tempo)
            writer.write("/song.tnr", tempo, composition(tempo));
        writer.flush();
        EXPECT_EQ(readRecoveryCopy(file).document, composition(109));
        EXPECT_GE(writer.writesDone(), 1);

        writer.write("/song.tnr", 1, composition(120));
        writer.remove();
        writer.flush();
        EXPECT_FALSE(fs::exists(file)) << "a remove asked after a write wins";

        writer.remove();
        writer.write("/song.tnr", 1, composition(130));
        EXPECT_FALSE(writer.takeFailure());
    } // the writer finishes what was asked before it ends
    EXPECT_EQ(readRecoveryCopy(file).document, composition(130));
}

TEST(RecoveryWriter, ReportsAFailedWriteOnce) {
    TScratchFolder folder;
    writeText(folder / "file", "a file where a folder should be");
    TRecoveryWriter writer(folder / "file" / "own.recovery");
    writer.write("", 1, composition(100));
    writer.flush();
    EXPECT_TRUE(writer.takeFailure());
    EXPECT_FALSE(writer.takeFailure());
    EXPECT_EQ(writer.writesDone(), 0);
}

} // namespace
