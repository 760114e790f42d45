#include "files/binaryfile.h"

#include "files/atomicfile.h"

#include <fstream>

void writeBinaryFile(const std::filesystem::path& fileName,
                     const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file) {
        throw TFileWriteError("Cannot create " + fileName.string());
    }
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw TFileWriteError("Cannot write " + fileName.string());
    }
}
