// Probing the system's MIDI services and the synthesizer's audio outputs writes nothing on the
// terminal: what the ALSA and JACK libraries and RtMidi say goes to the diagnostic stream.

#include "model/diagnostics.h"
#include "playback/synthbackend.h"
#include "playback/systemportbackend.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

// Everything written to file descriptor 2 while it lives ends up in text().
class StderrCapture {
public:
    StderrCapture() : file_(std::tmpfile()), saved_(dup(2)) {
        std::fflush(stderr);
        dup2(fileno(file_), 2);
    }
    ~StderrCapture() {
        restore();
        std::fclose(file_);
    }
    std::string text() {
        restore();
        std::rewind(file_);
        std::string text;
        for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_))
            text.push_back(static_cast<char>(c));
        return text;
    }

private:
    void restore() {
        if (saved_ < 0)
            return;
        std::cerr.flush();
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
        saved_ = -1;
    }
    std::FILE* file_;
    int saved_;
};

TEST(SoundLibraryMessages, ProbingPortsAndAudioOutputsIsSilentOnTheTerminal) {
    std::ostringstream diagnosed;
    setDiagnosticStream(&diagnosed);
    std::string terminal;
    {
        StderrCapture capture;
        TSystemPortBackend ports("tonaria-test");
        (void)ports.deviceNames();
        TSynthBackend synth({"", {"alsa", "jack"}, ""});
        try {
            synth.open(0);
        } catch (const TMidiError&) {
            // No audio output on this machine: the reason reaches the caller, not the terminal.
        }
        terminal = capture.text();
    }
    setDiagnosticStream(nullptr);
    EXPECT_EQ(terminal, "");
    // Without an ALSA sequencer the libraries do complain, only now out of sight.
    if (!std::filesystem::exists("/dev/snd/seq")) {
        EXPECT_NE(diagnosed.str().find("ALSA"), std::string::npos) << diagnosed.str();
    }
    // std::cerr is the terminal's again.
    StderrCapture after;
    std::cerr << "back" << std::flush;
    EXPECT_EQ(after.text(), "back");
}

} // namespace
