#include "files/atomicfile.h"
#include "periodtesting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

fs::perms permissionsOf(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

TEST(AtomicSave, TheReplacementKeepsThePermissionBits) {
    TScratchFolder folder;
    for (const fs::perms perms :
         {fs::perms::owner_read | fs::perms::owner_write,
          fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
              fs::perms::others_read | fs::perms::others_write}) {
        writeText(folder / "song.tnr", "old");
        fs::permissions(folder / "song.tnr", perms);
        writeFileAtomically(folder / "song.tnr", "new");
        EXPECT_EQ(readTextFile(folder / "song.tnr"), "new");
        EXPECT_EQ(permissionsOf(folder / "song.tnr"), perms);
    }
    // Renaming makes a new file: another hard link keeps what was there before.
    fs::create_hard_link(folder / "song.tnr", folder / "linked.tnr");
    writeFileAtomically(folder / "song.tnr", "newer");
    EXPECT_EQ(readTextFile(folder / "song.tnr"), "newer");
    EXPECT_EQ(readTextFile(folder / "linked.tnr"), "new");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"linked.tnr", "song.tnr"}));
}

TEST(AtomicSave, AReadOnlyFileOrFolderIsRefusedWithTheReasonAndLeftWhole) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes whatever the permissions say";
    TScratchFolder folder;
    writeText(folder / "locked.tnr", "kept");
    fs::permissions(folder / "locked.tnr", fs::perms::owner_read);
    try {
        writeFileAtomically(folder / "locked.tnr", "new");
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const TFileWriteError& error) {
        EXPECT_EQ(error.reason(), "Permission denied");
    }
    EXPECT_EQ(readTextFile(folder / "locked.tnr"), "kept");

    fs::create_directory(folder / "shelf");
    writeText(folder / "shelf" / "song.tnr", "kept");
    fs::permissions(folder / "shelf", fs::perms::owner_read | fs::perms::owner_exec);
    try {
        writeFileAtomically(folder / "shelf" / "song.tnr", "new");
        ADD_FAILURE() << "a file in a read-only folder was replaced";
    } catch (const TFileWriteError& error) {
        EXPECT_EQ(error.reason(), "Permission denied");
    }
    fs::permissions(folder / "shelf", fs::perms::owner_all);
    EXPECT_EQ(readTextFile(folder / "shelf" / "song.tnr"), "kept");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"locked.tnr", "shelf"}));
    fs::permissions(folder / "locked.tnr", fs::perms::owner_all);
}

TEST(AtomicSave, RemovesOnlyItsOwnStaleTemporaryFilesBesideTheTarget) {
    TScratchFolder folder;
    for (const char* name :
         {".song.tnr.tmp-123456", ".song.tnr.tmp-7", ".song.tnr.tmp-99999999", ".song.tnr.tmp-abc",
          ".song.tnr.tmp-123456789", "song.tnr.tmp-1", ".other.tnr.tmp-1", ".song.tnr.tmp-"})
        writeText(folder / name, std::string(1000, 'x'));
    fs::create_directory(folder / ".song.tnr.tmp-5");
    writeFileAtomically(folder / "song.tnr", "new");
    EXPECT_EQ(folder.entries(),
              (std::vector<std::string>{".other.tnr.tmp-1", ".song.tnr.tmp-",
                                        ".song.tnr.tmp-123456789", ".song.tnr.tmp-5",
                                        ".song.tnr.tmp-abc", "song.tnr", "song.tnr.tmp-1"}));
}

} // namespace
