#include "files/appfolders.h"
#include "periodtesting.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

void touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

TEST(AppFolders, ABuildFolderKeepsEverythingBesideTheExecutable) {
    TScratchFolder folder;
    const fs::path bin = folder / "build" / "bin";
    touch(bin / "glyphs.bmp");
    const TAppFolders folders =
        locateAppFolders(bin, folder / "config", folder / "documents", folder / "state");
    EXPECT_EQ(folders.data, bin);
    EXPECT_EQ(folders.settingsFile, bin / "config.xml");
    EXPECT_EQ(folders.documents, bin);
    EXPECT_EQ(folders.recovery, bin / "recovery");
    EXPECT_FALSE(fs::exists(folder / "config")) << "nothing is created before it is needed";
    EXPECT_EQ(fs::directory_iterator(bin)->path().filename(), "glyphs.bmp")
        << "the write probe leaves nothing behind";
}

TEST(AppFolders, AnInstalledProgramReadsItsDataFromShareAndWritesToTheUsersFolders) {
    TScratchFolder folder;
    const fs::path prefix = folder / "usr";
    touch(prefix / "bin" / "tonaria");
    touch(prefix / "share" / "tonaria" / "glyphs.bmp");
    const TAppFolders folders = locateAppFolders(prefix / "bin", folder / "config" / "tonaria",
                                                 folder / "Tonaria", folder / "state" / "tonaria");
    EXPECT_EQ(folders.data, prefix / "share" / "tonaria");
    EXPECT_EQ(folders.settingsFile, folder / "config" / "tonaria" / "config.xml");
    EXPECT_EQ(folders.documents, folder / "Tonaria");
    EXPECT_EQ(folders.recovery, folder / "state" / "tonaria" / "recovery");
}

TEST(AppFolders, AnUnwritableFolderSendsSettingsAndDocumentsToTheUsersFolders) {
    TScratchFolder folder;
    const fs::path bin = folder / "bin";
    touch(bin / "glyphs.bmp");
    fs::permissions(bin, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const bool writable = isWritableFolder(bin);
    const TAppFolders folders =
        locateAppFolders(bin, folder / "config", folder / "documents", folder / "state");
    fs::permissions(bin, fs::perms::owner_write, fs::perm_options::add);
    if (writable)
        GTEST_SKIP() << "this user writes into read-only folders (root)";
    EXPECT_EQ(folders.data, bin);
    EXPECT_EQ(folders.settingsFile, folder / "config" / "config.xml");
    EXPECT_EQ(folders.documents, folder / "documents");
    EXPECT_EQ(folders.recovery, folder / "state" / "recovery");
}

TEST(AppFolders, TheStateFolderFollowsXdgStateHomeWhenItIsAbsolute) {
    EXPECT_EQ(userStateFolder("/x/state", "/home/u"), fs::path("/x/state/tonaria"));
    EXPECT_EQ(userStateFolder(nullptr, "/home/u"), fs::path("/home/u/.local/state/tonaria"));
    EXPECT_EQ(userStateFolder("relative", "/home/u"), fs::path("/home/u/.local/state/tonaria"));
}

TEST(AppFolders, WithoutDataAnywhereTheExecutablesFolderStands) {
    TScratchFolder folder;
    EXPECT_EQ(dataFolderOf(folder.path()), folder.path());
    EXPECT_TRUE(isWritableFolder(folder.path()));
    EXPECT_FALSE(isWritableFolder(folder / "missing"));
}

} // namespace
