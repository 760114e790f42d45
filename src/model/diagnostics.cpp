#include "model/diagnostics.h"

#include <streambuf>

namespace {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

NullBuffer nullBuffer;
std::ostream silentStream(&nullBuffer);
std::ostream* current = &silentStream;

} // namespace

std::ostream& diagnostics() {
    return *current;
}

void setDiagnosticStream(std::ostream* target) {
    current = target ? target : &silentStream;
}
