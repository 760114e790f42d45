#pragma once

#include "../widgets/widgetstesting.h"
#include "canvas/baseservice.h"
#include "canvas/messagewindow.h"
#include "engine/scheme.h"
#include "files/engmessagebundle.h"
#include "model/period.h"
#include "playback/motiveplayer.h"
#include "playback/player.h"
#include "playback/recordingbackend.h"

#include <QApplication>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

// The main window's canvas roles with a recording device and a player that only runs when ticked
// or started, or, with `timerStarts`, starts its timer thread as soon as something is queued.
class TFakeCanvasService : public TCanvasService, public TMessageHandler {
public:
    struct TPosted {
        int message;
        int code;
        std::int64_t value;
    };

    explicit TFakeCanvasService(bool timerStarts = false) : motivePlayer_(&player_, !timerStarts) {
        ensureWidgetApplication();
        player_.open(0);
    }

    TPlayer& player() override { return player_; }
    TMotivePlayer& motivePlayer() override { return motivePlayer_; }
    TMotiveAndListenerPair contextMotive(const TMotive& motive) override {
        TMotiveAndListenerPair pair;
        pair.motive = preceding;
        pair.code = preceding ? CONTEXT_CONTINUES
                              : (motive.zatakt() > 0 ? CONTEXT_FIRST_WITH_UPBEAT : CONTEXT_FIRST);
        return pair;
    }
    TColorPanelListener* variantDisplay() override { return display; }
    void playInContext(const TMotive& motive, TMotivePlayerListener* listener) override {
        if (preceding)
            motivePlayer_.play(*preceding, nullptr);
        motivePlayer_.play(motive, listener);
    }
    TScheme& scheme() override { return scheme_; }
    TMessageBundle& messageBundle() override { return bundle_; }
    TPeriodData& period() override { return period_; }
    TFastMenuInterface* fastMenu() override { return nullptr; }
    void resetCanvasMode(bool) override {}
    TMessageWindow& messageWindow() override { return messageWindow_; }
    bool variantWindowBusy() override { return variantBusy; }
    void setCurrentCanvas(QWidget*) override {}
    int variantWindowWidth() override { return 300; }
    int cursorDelay() override { return 11; }
    bool schoolHarmony() override { return schoolHarmonyOn; }

    // Records every message other than the playback events.
    void handleMessage(int message, int code, std::int64_t value) override {
        posted.push_back({message, code, value});
    }
    // Records the start or finish, and hands it on to `onMotivePlaying` when it is set.
    void motivePlaying(TProcessPlayingInterface& canvas, bool started) override {
        playing.emplace_back(&canvas, started);
        if (onMotivePlaying)
            onMotivePlaying(canvas, started);
    }

    const TMotive* preceding = nullptr;
    bool variantBusy = false;
    bool schoolHarmonyOn = false;
    TColorPanelListener* display = nullptr;
    std::vector<TPosted> posted;
    std::vector<std::pair<TProcessPlayingInterface*, bool>> playing;
    std::function<void(TProcessPlayingInterface&, bool)> onMotivePlaying;

    TRecordingBackend& backend() { return backend_; }

private:
    TRecordingBackend backend_;
    TPlayer player_{backend_};
    TMotivePlayer motivePlayer_;
    TRandomGenerator random_; // every fake service draws from the initial state
    TScheme scheme_{random_};
    TEngMessageBundle bundle_;
    TPeriodData period_;
    TMessageWindow messageWindow_{*this};
};
