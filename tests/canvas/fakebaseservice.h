#pragma once

#include "canvas/baseservice.h"
#include "canvas/messagewindow.h"
#include "engine/scheme.h"
#include "files/engmessagebundle.h"
#include "model/period.h"
#include "playback/motiveplayer.h"
#include "playback/nullbackend.h"
#include "playback/player.h"

#include <QApplication>

#include <cstdint>
#include <functional>
#include <vector>

inline void ensureCanvasApplication() {
    static int argc = 1;
    static char name[] = "canvas_tests";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr)
        new QApplication(argc, argv);
}

// The main window's services with a silent device and a player that only runs when ticked.
class TFakeBaseService : public TBaseService, public TMessageHandler {
public:
    struct TPosted {
        int message;
        int wParam;
        std::int64_t lParam;
    };

    TFakeBaseService() { ensureCanvasApplication(); }

    TPlayer& player() override { return player_; }
    TMotivePlayer& motivePlayer() override { return motivePlayer_; }
    TMotiveAndListenerPair contextMotive(const TMotive& motive) override {
        TMotiveAndListenerPair pair;
        pair.motive = preceding;
        pair.code = preceding ? CONTEXT_CONTINUES
                              : (motive.zatakt() > 0 ? CONTEXT_FIRST_WITH_UPBEAT : CONTEXT_FIRST);
        return pair;
    }
    TColorPanelListener* variantDisplay() override { return nullptr; }
    void playInContext(const TMotive& motive, TMotivePlayerListener* listener) override {
        motivePlayer_.play(motive, listener);
    }
    TScheme& scheme() override { return scheme_; }
    TMessageBundle& messageBundle() override { return bundle_; }
    TPeriodData& period() override { return period_; }
    TFastMenu* fastMenu() override { return nullptr; }
    void selectPanel(int index) override { selectedPanels.push_back(index); }
    void resetCanvasMode(bool) override {}
    TMessageWindow& messageWindow() override { return messageWindow_; }
    bool variantWindowBusy() override { return variantBusy; }
    void setCurrentCanvas(QWidget*) override {}
    int motiveCellCount() override { return 0; }
    int variantWindowWidth() override { return 300; }
    int cursorDelay() override { return 11; }

    // Records every message and hands note messages to the canvas `canvasById` finds.
    void handleMessage(int message, int wParam, std::int64_t lParam) override {
        posted.push_back({message, wParam, lParam});
        if (message == MESSAGE_NOTE && canvasById)
            deliverNoteMessage(wParam, lParam, canvasById);
    }

    const TMotive* preceding = nullptr;
    bool variantBusy = false;
    std::vector<TPosted> posted;
    std::vector<int> selectedPanels;
    std::function<TProcessPlayingInterface*(int)> canvasById;

private:
    TNullBackend backend_;
    TPlayer player_{backend_};
    TMotivePlayer motivePlayer_{&player_, true};
    TRandomGenerator random_; // every fake service draws from the initial state
    TScheme scheme_{random_};
    TEngMessageBundle bundle_;
    TPeriodData period_;
    TMessageWindow messageWindow_{*this};
};
