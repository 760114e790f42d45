#pragma once

// A sound server that goes away closes the socket its clients write to. Writing there must fail
// with an error the output can report, not end the whole program with its unsaved work. Called
// once at start, before any thread is created.
void ignoreBrokenPipes();
