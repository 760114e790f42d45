#include "playback/brokenpipes.h"

#include <csignal>

void ignoreBrokenPipes() {
#if defined(SIGPIPE)
    std::signal(SIGPIPE, SIG_IGN);
#endif
}
