// Every page the help windows can show is installed, and every link and picture in the pages
// leads to an installed file (and, for a link with a fragment, to an anchor of that page).

#include "files/engmessagebundle.h"
#include "help/helppages.h"
#include "help/stepschemes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
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

// The page's words, tags and entities dropped, spaces collapsed, in lower case.
std::string wordsOf(const fs::path& page) {
    std::string text = std::regex_replace(readText(page), std::regex("<[^>]*>|&[a-z]+;"), " ");
    text = std::regex_replace(text, std::regex("\\s+"), " ");
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

TEST(HelpPages, EachStepPageNamesTheSchemesItsPanelShows) {
    // The names the scheme panel gives its duration and turn items.
    const TEngMessageBundle bundle;
    const std::vector<std::string> durationNames = bundle.list("duration group");
    const std::vector<std::string> turnNames = bundle.list("turn group");
    int told = 0;
    for (int k = 0; k < STEP_COUNT; ++k) {
        const fs::path page =
            fs::path(TONARIA_APP_DIR) / STEP_BY_STEP_FOLDER / HELP_STEPS[std::size_t(k)].page;
        SCOPED_TRACE(page.filename().string());
        const std::string words = wordsOf(page);
        const std::optional<TStepSchemes> schemes = stepSchemes(k);
        if (!schemes) {
            EXPECT_EQ(words.find("scheme panel"), std::string::npos);
            continue;
        }
        ++told;
        EXPECT_NE(words.find("scheme panel"), std::string::npos);
        if (schemes->contrastCell >= 0) {
            EXPECT_NE(words.find("motive " + std::to_string(schemes->contrastCell + 1) +
                                 " became the motive for contrast"),
                      std::string::npos);
            EXPECT_NE(words.find("long durations"), std::string::npos);
            EXPECT_NE(words.find("large turns"), std::string::npos);
            continue;
        }
        // The rhythm in its order, then each turn of the set.
        std::string rhythm;
        for (DURATION d : schemes->durations)
            rhythm += (rhythm.empty() ? "" : ", ") +
                      lowerCase(durationNames.at(std::size_t(d / SIXTEENTH - 1)));
        EXPECT_NE(words.find("in order"), std::string::npos);
        EXPECT_NE(words.find(rhythm + "."), std::string::npos) << rhythm;
        EXPECT_NE(words.find("as a set"), std::string::npos);
        for (TURN_ROUND turn : schemes->turns) {
            const std::string name = lowerCase(turnNames.at(std::size_t(turn - 1)));
            EXPECT_NE(words.find(name), std::string::npos) << name;
        }
    }
    EXPECT_EQ(told, 4);
}

} // namespace
