#pragma once

#include "cli/commands.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// A test of the companion's commands: a folder of its own for the files it writes, and the
// entry point run with its output and error streams captured.
class TCliFolderTest : public testing::Test {
protected:
    explicit TCliFolderTest(std::string name) : name_(std::move(name)) {}

    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tonaria-" + name_ + "-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    int run(std::vector<std::string> arguments) {
        out_.str("");
        err_.str("");
        return runCli(arguments, out_, err_);
    }

    std::filesystem::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;

private:
    std::string name_;
};
