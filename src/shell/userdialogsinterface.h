#pragma once

#include "files/periodbuilder.h"

#include <filesystem>
#include <optional>
#include <string>

// What a file dialog offers: files with `suffix` (added to a name typed without one) or any
// file, starting in `folder`.
struct TFileChoice {
    std::string suffix;
    std::filesystem::path folder;
};

// The answers to "Save changes to NAME?".
enum class TSaveChangesAnswer { Save, Discard, Cancel };

// The answers to "Recover the unsaved changes to NAME from TIME?".
enum class TRecoverAnswer { Recover, Discard, Later };

// The modal questions and notices of the shell. The desktop shows real dialogs; tests answer
// from a script, so nothing blocks.
class TUserDialogsInterface {
public:
    virtual ~TUserDialogsInterface() = default;
    // An information box with an OK button, above the stay-on-top windows.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool confirm(const std::string& text, const std::string& caption) = 0;
    // The file the user confirms, or nothing when the dialog is cancelled.
    virtual std::optional<std::filesystem::path> askSaveName(const TFileChoice& choice) = 0;
    virtual std::optional<std::filesystem::path> askOpenName(const TFileChoice& choice) = 0;
    // The MIDI device dialog opened at `current`: the chosen device, or -1 when cancelled or
    // nothing is selected.
    virtual int chooseMidiDevice(int current) = 0;
    virtual void showAbout() = 0;
    // Save / Discard / Cancel, Cancel for closing the box.
    virtual TSaveChangesAnswer askSaveChanges(const std::string& text,
                                              const std::string& caption) = 0;
    // Recover / Discard / Later, Later for closing the box.
    virtual TRecoverAnswer askRecover(const std::string& text, const std::string& caption) = 0;
    // The new-composition dialog: the period the user laid out, or nothing on Cancel.
    virtual std::optional<TPeriodStructure> askNewComposition() = 0;
};
