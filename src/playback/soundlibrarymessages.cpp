#include "playback/soundlibrarymessages.h"

#include "model/diagnostics.h"

#include <alsa/error.h>
#include <jack/jack.h>

#include <cstdarg>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <string_view>

namespace {

// The audio threads of the synthesizer may report too.
std::mutex& streamMutex() {
    static std::mutex mutex;
    return mutex;
}

void toDiagnostics(std::string_view source, std::string_view text) {
    std::lock_guard lock(streamMutex());
    diagnostics() << source << text;
    if (text.empty() || text.back() != '\n')
        diagnostics() << '\n';
}

__attribute__((format(printf, 5, 6))) void
alsaMessage(const char* file, int line, const char* function, int, const char* format, ...) {
    char text[512];
    std::va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    char where[256];
    std::snprintf(where, sizeof where, "ALSA %s:%d (%s): ", file, line, function);
    toDiagnostics(where, text);
}

void jackMessage(const char* text) {
    toDiagnostics("JACK: ", text);
}

} // namespace

void routeSoundLibraryMessages() {
    static std::once_flag once;
    std::call_once(once, [] {
        snd_lib_error_set_handler(&alsaMessage);
        jack_set_error_function(&jackMessage);
        jack_set_info_function(&jackMessage);
    });
}

TCerrToDiagnostics::TCerrToDiagnostics() : previous_(std::cerr.rdbuf(&buffer_)) {}

TCerrToDiagnostics::~TCerrToDiagnostics() {
    std::cerr.rdbuf(previous_);
}

int TCerrToDiagnostics::TBuffer::overflow(int c) {
    if (c != traits_type::eof()) {
        const char character = static_cast<char>(c);
        std::lock_guard lock(streamMutex());
        diagnostics() << character;
    }
    return traits_type::not_eof(c);
}

std::streamsize TCerrToDiagnostics::TBuffer::xsputn(const char* text, std::streamsize n) {
    std::lock_guard lock(streamMutex());
    diagnostics().write(text, n);
    return n;
}
