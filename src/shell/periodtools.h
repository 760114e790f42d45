#pragma once

class QWidget;
class TMessageBundle;
class TPeriodData;
class TScheme;

// The commands of the Tools menu that work on the whole period.
enum class TPeriodTool {
    // Every motive without a chord on each measure gets a harmony, led on from the one before.
    Harmonise,
    // Harmonise, then a melody along the default contour for every motive without notes.
    ComposeEmptyMotives,
};

// Carries out `tool` on `period` (a copy of the composition, so that the open one changes in
// one step afterwards), with the school-harmony rules when `schoolHarmony`. A wait cursor shows
// while it runs and, should it take longer than a blink, a progress dialog over `parent`.
void runPeriodTool(TPeriodTool tool, TPeriodData& period, TScheme& scheme, bool schoolHarmony,
                   const TMessageBundle& bundle, QWidget* parent);
