#include "files/tracesink.h"

#include "files/atomicfile.h"

#include <cstdlib>

namespace {

constexpr std::string_view OPEN_LINE = "<DYNAMIC_HELP>\n";
constexpr std::string_view CLOSE_LINE = "</DYNAMIC_HELP>\n";

} // namespace

std::string traceOpenLine() {
    return std::string(OPEN_LINE);
}

std::string traceMoveLine(int x, int y) {
    return "    <MOVE X=\"" + std::to_string(x) + "\" Y=\"" + std::to_string(y) + "\"/>\n";
}

std::string traceCloseLine() {
    return std::string(CLOSE_LINE);
}

void TFileTraceSink::write(std::string_view line) {
    if (line == OPEN_LINE)
        document_.clear();
    document_ += line;
    if (line != CLOSE_LINE)
        return;
    try {
        writeFileAtomically(path_, document_);
    } catch (const TFileWriteError&) {
    }
    document_.clear();
}

std::unique_ptr<TTraceSink> traceSinkFromEnvironment() {
    const char* path = std::getenv("TONARIA_RECORD_PATH");
    if (path == nullptr || *path == '\0')
        return std::make_unique<TNullTraceSink>();
    return std::make_unique<TFileTraceSink>(path);
}
