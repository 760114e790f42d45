#include "cli/commands.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        return runCli(arguments, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "tonaria-cli: " << error.what() << '\n';
        return EXIT_FILE_ERROR;
    }
}
