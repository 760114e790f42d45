// Every page the help windows can show is installed, and every link and picture in the pages
// leads to an installed file (and, for a link with a fragment, to an anchor of that page).

#include "help/helppages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> matches(const std::string& text, const std::regex& pattern) {
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1].str());
    return found;
}

std::set<std::string> anchorsOf(const fs::path& page) {
    const std::string text = readText(page);
    const std::vector<std::string> ids =
        matches(text, std::regex(R"#((?:id|name)="([^"]+)")#", std::regex::icase));
    return {ids.begin(), ids.end()};
}

std::vector<fs::path> helpPages() {
    const fs::path root(TONARIA_APP_DIR);
    std::vector<fs::path> pages;
    for (const THelpStep& step : HELP_STEPS)
        pages.push_back(root / STEP_BY_STEP_FOLDER / step.page);
    pages.push_back(root / THEORY_FOLDER / THEORY_PAGE);
    return pages;
}

TEST(HelpPages, EveryPageOfTheFormsIsInstalledWithTheExample) {
    for (const fs::path& page : helpPages())
        EXPECT_TRUE(fs::is_regular_file(page)) << page;
    EXPECT_TRUE(
        fs::is_regular_file(fs::path(TONARIA_APP_DIR) / STEP_BY_STEP_FOLDER / STEP_EXAMPLE_FILE));
}

TEST(HelpPages, EveryLinkAndPictureResolves) {
    const std::regex links(R"#((?:href|src)="([^"]*)")#", std::regex::icase);
    int checked = 0;
    for (const fs::path& page : helpPages()) {
        const std::string text = readText(page);
        ASSERT_FALSE(text.empty()) << page;
        EXPECT_NE(text.find("<title>"), std::string::npos) << page << " has a title";
        for (const std::string& link : matches(text, links)) {
            ++checked;
            ASSERT_FALSE(link.empty()) << page;
            EXPECT_EQ(link.find("://"), std::string::npos)
                << page << " links outside the application: " << link;
            const std::size_t hash = link.find('#');
            const std::string file = link.substr(0, hash);
            const fs::path target = file.empty() ? page : page.parent_path() / file;
            EXPECT_TRUE(fs::is_regular_file(target)) << page << ": " << link;
            if (hash != std::string::npos && fs::is_regular_file(target)) {
                EXPECT_TRUE(anchorsOf(target).count(link.substr(hash + 1)))
                    << page << ": no anchor for " << link;
            }
        }
    }
    EXPECT_GT(checked, 20);
}

TEST(HelpPages, TheTheoryPageHasATableOfContentsOverItsSections) {
    const fs::path theory = fs::path(TONARIA_APP_DIR) / THEORY_FOLDER / THEORY_PAGE;
    const std::string text = readText(theory);
    const std::vector<std::string> contents =
        matches(text, std::regex(R"#(href="#([^"]+)")#", std::regex::icase));
    const std::set<std::string> anchors = anchorsOf(theory);
    EXPECT_GE(contents.size(), 8u);
    for (const std::string& section : contents)
        EXPECT_TRUE(anchors.count(section)) << section;
    // Every music example is a picture drawn by the build.
    const std::vector<std::string> pictures =
        matches(text, std::regex(R"#(src="([^"]+)")#", std::regex::icase));
    EXPECT_GE(pictures.size(), 8u);
    for (const std::string& picture : pictures)
        EXPECT_EQ(fs::path(picture).extension(), ".png") << picture;
}

} // namespace
