#pragma once

#include <ostream>
#include <streambuf>

// The ALSA and JACK libraries write their complaints straight to the terminal, and RtMidi
// reports a service it cannot reach on std::cerr before it throws: on a machine without a
// sound card or a JACK server that is a dozen lines at every start and every device change.
// This sends them to the diagnostic stream instead, which is silent unless a developer points
// it somewhere; what matters reaches the caller as an exception.

// Installs the ALSA and JACK message handlers; once per process, any later call does nothing.
void routeSoundLibraryMessages();

// While it lives, whatever is written to std::cerr goes to the diagnostic stream. For the
// moments a library is probed on the interface thread.
class TCerrToDiagnostics {
public:
    TCerrToDiagnostics();
    ~TCerrToDiagnostics();
    TCerrToDiagnostics(const TCerrToDiagnostics&) = delete;
    TCerrToDiagnostics& operator=(const TCerrToDiagnostics&) = delete;

private:
    class TBuffer : public std::streambuf {
    protected:
        int overflow(int c) override;
        std::streamsize xsputn(const char* text, std::streamsize n) override;
    };
    TBuffer buffer_;
    std::streambuf* previous_;
};
