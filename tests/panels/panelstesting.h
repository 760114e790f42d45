#pragma once

#include "canvas/baseservice.h"
#include "canvas/messagewindow.h"
#include "engine/scheme.h"
#include "files/engmessagebundle.h"
#include "model/period.h"
#include "playback/motiveplayer.h"
#include "playback/player.h"
#include "playback/recordingbackend.h"
#include "widgets/dragged.h"

#include <QApplication>

#include <functional>
#include <vector>

void ensurePanelsApplication();

// The main window's services over a recording device and a player that only runs when
// ticked by hand. Note events reach their canvas through the message window.
class TPanelsService : public TBaseService, public TMessageHandler {
public:
    TPanelsService();

    TPlayer& player() override { return player_; }
    TMotivePlayer& motivePlayer() override { return motivePlayer_; }
    TMotiveAndListenerPair contextMotive(const TMotive&) override { return {}; }
    TColorPanelListener* variantDisplay() override { return nullptr; }
    void playInContext(const TMotive& motive, TMotivePlayerListener* listener) override {
        motivePlayer_.play(motive, listener);
    }
    TScheme& scheme() override { return scheme_; }
    TMessageBundle& messageBundle() override { return bundle_; }
    TPeriodData& period() override { return period_; }
    void takeRhythmFrom(const TMotive& motive) override { rhythmTakenFrom.push_back(motive); }
    void takePitchFrom(const TMotive& motive) override { pitchTakenFrom.push_back(motive); }
    void contrastMotivesChanged() override { ++contrastChanges; }
    TFastMenuInterface* fastMenu() override { return nullptr; }
    void fastMenuNext(int) override {}
    void fastMenuPrevious(int) override {}
    void selectPanel(int index) override { selected.push_back(index); }
    void resetCanvasMode(bool) override {}
    TMessageWindow& messageWindow() override { return messageWindow_; }
    bool variantWindowBusy() override { return false; }
    void setCurrentCanvas(QWidget* control) override { currentCanvas = control; }
    int motiveCellCount() override { return 0; }
    int variantWindowWidth() override { return 300; }
    int cursorDelay() override { return 11; }
    bool schoolHarmony() override { return false; }

    void handleMessage(int, int, std::int64_t) override {}
    void motivePlaying(TProcessPlayingInterface&, bool) override {}

    TRecordingBackend& device() { return backend_; }
    // The generator the scheme and its effects draw from.
    TRandomGenerator& random() { return random_; }
    // Note-ons minus note-offs sent to the device so far.
    int soundingNotes() const;

    std::vector<int> selected;
    std::vector<TMotive> rhythmTakenFrom;
    std::vector<TMotive> pitchTakenFrom;
    int contrastChanges = 0;
    QWidget* currentCanvas = nullptr;

private:
    TRecordingBackend backend_;
    TPlayer player_{backend_};
    TMotivePlayer motivePlayer_{&player_, true};
    TRandomGenerator random_; // every test service draws from the initial state
    TScheme scheme_{random_};
    TEngMessageBundle bundle_;
    TPeriodData period_;
    TMessageWindow messageWindow_{*this};
};

// G minor, 2/4 with an eighth upbeat, as the default period has it.
TMotive upbeatMotive();
// Notes over both measure parts, with one chord per measure part.
TMotive harmonisedMelody();
// Offers the handle's drag to `target` as a drop at its centre; returns whether the target
// took it.
bool dropOn(QWidget& target, TDragged& handle);
// The same with a payload that no handle of this program made.
bool dropForeign(QWidget& target);
