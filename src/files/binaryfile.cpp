#include "files/binaryfile.h"

#include "files/atomicfile.h"

#include <cerrno>
#include <fstream>
#include <system_error>

void writeBinaryFile(const std::filesystem::path& fileName,
                     const std::vector<std::uint8_t>& bytes) {
    errno = 0;
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file) {
        const int error = errno;
        throw TFileWriteError("Cannot create " + fileName.string(),
                              error != 0 ? std::generic_category().message(error)
                                         : std::string("it cannot be created"));
    }
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw TFileWriteError("Cannot write " + fileName.string(), "it cannot be written");
    }
}
