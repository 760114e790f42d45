// Composes the example period of the step-by-step help: tonaria-stepexample OUT.tnr

#include "stepcomposer.h"

#include "files/periodwriter.h"

#include <cstdio>
#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tonaria-stepexample OUT.tnr\n");
        return 2;
    }
    try {
        savePeriod(composeStepExample(std::cout), argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tonaria-stepexample: %s\n", error.what());
        return 1;
    }
    return 0;
}
