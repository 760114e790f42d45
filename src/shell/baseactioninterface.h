#pragma once

#include <string>
#include <vector>

// The commands of the menu frame, carried out by the main window. The commands of the
// demonstrations and the help windows join with those features.
class TBaseActionInterface {
public:
    virtual ~TBaseActionInterface() = default;
    virtual void newComposition() = 0;
    virtual void save() = 0;
    virtual void saveAs() = 0;
    virtual void open() = 0;
    // File > Open Recent: the compositions opened or saved last, newest first, and opening one.
    virtual std::vector<std::string> recentFiles() = 0;
    virtual void openRecent(const std::string& file) = 0;
    virtual void exportToMidi() = 0;
    virtual void exportToMusicXml() = 0;
    virtual void playAll() = 0;
    virtual void stopPlay() = 0;
    // Stops while playing; otherwise plays the selected motive, or the period without one.
    virtual void playOrStop() = 0;
    virtual void chooseMidiDevice() = 0;
    // Undo and Redo over the whole composition, a step at a time.
    virtual void undo() = 0;
    virtual void redo() = 0;
    // Each one undoable step over the whole period.
    virtual void harmonisePeriod() = 0;
    virtual void composeEmptyMotives() = 0;
    // Whether automatic harmonisation keeps the rules of school harmony (cadences at phrase ends
    // among them); remembered between runs.
    virtual void setSchoolHarmony(bool on) = 0;
    // View > Fast Menu: whether the fast menu shows under its motive; remembered between runs.
    virtual void setFastMenuShown(bool on) = 0;
    // The nine demonstrations; starting one ends the one that runs.
    virtual void demo1() = 0;
    virtual void demo2() = 0;
    virtual void demo3() = 0;
    virtual void demo4() = 0;
    virtual void demo5() = 0;
    virtual void demo6() = 0;
    virtual void demo7() = 0;
    virtual void demo8() = 0;
    virtual void demo9() = 0;
    virtual void stepByStepHelp() = 0;
    virtual void theoryHelp() = 0;
    virtual void about() = 0;
    virtual void showEditor() = 0;
    // Asked before the application ends: false keeps it running (the user kept unsaved work).
    virtual bool mayQuit() = 0;
};
