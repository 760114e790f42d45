// libFuzzer entry for the composition reader (built only with TONARIA_FUZZ=ON under clang).
#include "readerproperty.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto problem =
        checkReaderOnInput(std::string_view(reinterpret_cast<const char*>(data), size));
    if (problem) {
        std::fprintf(stderr, "%s\n", problem->c_str());
        std::abort();
    }
    return 0;
}
