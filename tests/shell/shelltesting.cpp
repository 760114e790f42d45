#include "shelltesting.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

TTempFolder::TTempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("tonaria-shell-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string readWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeWhole(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
}

int main(int argc, char* argv[]) {
    // The windowless platform's screen gets the size the program is laid out for (the main
    // window and the fast menu below it fit), instead of its 800 x 600.
    std::filesystem::path config;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && std::string(platform) == "offscreen") {
        config = std::filesystem::temp_directory_path() /
                 ("tonaria-shell-screen-" + std::to_string(::getpid()) + ".json");
        writeWhole(config, R"({"screens": [{"name": "OffscreenScreen", "x": 0, "y": 0,
            "width": 1280, "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        ::setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.string()).c_str(), 1);
    }
    QApplication application(argc, argv);
    if (!config.empty())
        std::filesystem::remove(config); // read as the application started
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
