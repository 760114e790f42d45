#pragma once

#include "help/dynamichelpthread.h"

#include <memory>

// The nine demonstrations, numbered 1 to 9 as their commands:
//  1 choosing the notes of a motive, 2 the same through the fast menu,
//  3 choosing chords, 4 the same through the fast menu,
//  5 simple and 6 relative development of a motive,
//  7 the rhythm scheme, 8 the pitch scheme, 9 editing a motive through the fast menu.
inline constexpr int DEMONSTRATION_COUNT = 9;

// The demonstration `number`, not yet started; null for a number out of range.
std::unique_ptr<TDynamicHelpThread> makeDemonstration(int number, QObject* context,
                                                      TBaseService& service, TForHelpService& help,
                                                      const TDemoSetting& setting);
