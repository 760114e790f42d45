#include "help/demonstrations.h"

#include "canvas/baseservice.h"
#include "canvas/umotivecanvas.h"
#include "engine/schemecommand.h"
#include "help/forhelpservice.h"
#include "model/duration.h"
#include "panels/developmentarea.h"
#include "panels/gatherer.h"
#include "panels/groupbuttons.h"
#include "panels/modechooser.h"
#include "panels/panelchooser.h"
#include "strip/periodpanelcells.h"
#include "widgets/buttons.h"
#include "widgets/dragged.h"

namespace {

// The chooser buttons of the development area: the scheme panel's, and those that the
// demonstrations drop motives on.
constexpr int SCHEME_CHOOSER = TDevelopmentArea::SCHEME_CHOOSER;
constexpr int SEQUENCE_UP_CHOOSER = TDevelopmentArea::SEQUENCE_UP_CHOOSER;
constexpr int REL_SEQUENCE_UP_CHOOSER = 4;
// The fast menu's areas that choose notes and chords for its motive.
constexpr int FAST_MENU_NOTES = 0;
constexpr int FAST_MENU_CHORDS = 2;
// The mode buttons that choose chords and that generate a motive from a contour.
constexpr int CHORD_MODE_BUTTON = 1;
constexpr int GENERATE_MODE_BUTTON = 4;

// What the demonstrations have in common beyond the primitives: finding the parts of a motive
// cell.
class TDemonstration : public TDynamicHelpThread {
public:
    TDemonstration(QObject* context, TBaseService& service, TForHelpService& help,
                   const TDemoSetting& setting, std::string script, std::string pages)
        : TDynamicHelpThread(context, service, help, setting, std::move(script)),
          pages_(std::move(pages)) {}

protected:
    std::string firstPage() const override { return page(1); }
    std::string page(int n) const { return pages_ + std::to_string(n) + ".html"; }

    TUMotiveSet* cell(int index) {
        const auto cells = help().motiveCells();
        return index >= 0 && index < int(cells.size()) ? cells[std::size_t(index)] : nullptr;
    }
    QPointer<QWidget> cellCanvas(int index) {
        return locate([this, index] {
            TUMotiveSet* found = cell(index);
            return found != nullptr ? found->canvas() : nullptr;
        });
    }
    QPointer<QWidget> cellHandle(int index) {
        return locate([this, index] {
            TUMotiveSet* found = cell(index);
            return found != nullptr ? found->dragHandle() : nullptr;
        });
    }
    QPointer<QWidget> cellPlayStrip(int index) {
        return locate([this, index]() -> QWidget* {
            TUMotiveSet* found = cell(index);
            return found != nullptr ? found->playPanel() : nullptr;
        });
    }
    QPointer<QWidget> cellSelectionStrip(int index) {
        return locate([this, index]() -> QWidget* {
            TUMotiveSet* found = cell(index);
            return found != nullptr ? found->selectionPanel() : nullptr;
        });
    }
    QPointer<QWidget> fastMenuArea(int index) {
        return locate([this, index] { return help().fastMenuControl(index); });
    }
    QPointer<QWidget> schemeCommand(int command) {
        return locate([this, command] { return help().schemeCommandButton(command); });
    }
    // The button of a scheme set's mode chooser that is up: pressing it changes the mode.
    QPointer<QWidget> otherModeButton(QWidget* (TForHelpService::*chooserOf)()) {
        return locate([this, chooserOf]() -> QWidget* {
            auto* chooser = dynamic_cast<TModeChooser*>((help().*chooserOf)());
            if (chooser == nullptr)
                return nullptr;
            return chooser->mode() == TModeChooser::SET_MODE ? chooser->inOrderButton()
                                                             : chooser->setButton();
        });
    }
    // The drag handle of entry i of a scheme set's gatherer.
    QPointer<QWidget> gathererEntry(QWidget* (TForHelpService::*gathererOf)(), int i) {
        return locate([this, gathererOf, i]() -> QWidget* {
            auto* gatherer = dynamic_cast<TGatherer*>((help().*gathererOf)());
            if (gatherer == nullptr || i < 0 || i >= int(gatherer->group().items().size()))
                return nullptr;
            return gatherer->handle(i);
        });
    }

    // Drags the handle onto the target with the pauses of a hand that shows what it does.
    void drag(const QPointer<QWidget>& handle, const QPointer<QWidget>& target) {
        pointAt(handle);
        waitSteps(50);
        dragAndDrop(handle, target, 50, 100);
    }
    // Points at a control, pauses, clicks it (released after `releaseAfter`) and pauses.
    void pointAndClick(const QPointer<QWidget>& control, int waitBefore, int releaseAfter,
                       int waitAfter) {
        pointAt(control);
        waitSteps(waitBefore);
        click(control, releaseAfter);
        waitSteps(waitAfter);
    }
    // Clicks a play control and waits until the music has finished.
    void play(const QPointer<QWidget>& control, int releaseAfter) {
        pointAt(control);
        waitSteps(30);
        click(control, releaseAfter);
        waitForPlayback();
    }
    // Points at a canvas (or an area that serves one), pauses, makes the choice of the
    // recorded path and waits until the choice has sounded.
    void choose(const QPointer<QWidget>& target, const std::string& path) {
        pointAt(target);
        waitSteps(100);
        playPath(target, path);
        waitForPlayback();
    }
    // Shows the page that tells where a chosen chord stands, and points at the chord strip
    // of its canvas, where its numeral is.
    void showChordPlace(const QPointer<QWidget>& canvas, const std::string& page) {
        showPage(page);
        pointAtChordStrip(canvas);
        waitSteps(250);
    }
    // Presses scheme command buttons one after another.
    void runCommands(std::initializer_list<int> commands, int waitAfter) {
        for (const int command : commands)
            pointAndClick(schemeCommand(command), 50, 20, waitAfter);
    }
    // Draws a contour over cell 2 in the mode that generates a motive, which the program then
    // plays. The points are fractions of the canvas's width and height.
    void generateMotive(const std::vector<QPointF>& contour) {
        pointAndClick(locate([this] { return help().modeButton(GENERATE_MODE_BUTTON); }), 50, 10,
                      0);
        const QPointer<QWidget> canvas = cellCanvas(2);
        pointAtLeftPart(canvas);
        waitSteps(50);
        drawContour(canvas, contour);
        waitForPlayback();
        waitSteps(100);
    }

private:
    std::string pages_;
};

class TDHSelectNotes : public TDemonstration {
public:
    TDHSelectNotes(QObject* c, TBaseService& s, TForHelpService& h, const TDemoSetting& d)
        : TDemonstration(c, s, h, d, "helpSelectNotes", "helpSelectNotes") {}

protected:
    void steps() override {
        const QPointer<QWidget> canvas = cellCanvas(0);
        pointAtLeftPart(canvas);
        waitSteps(100);
        playPath(canvas, "helpSelectNotes");
        waitForPlayback();
        waitSteps(100);
    }
};

class TDHSelectNotesTwo : public TDemonstration {
public:
    TDHSelectNotesTwo(QObject* c, TBaseService& s, TForHelpService& h, const TDemoSetting& d)
        : TDemonstration(c, s, h, d, "helpSelectNotes", "helpSelectNotesTwo") {}

protected:
    void steps() override {
        choose(fastMenuArea(FAST_MENU_NOTES), "helpSelectNotesTwo");
        waitSteps(100);
    }
};

class TDHSelectChord : public TDemonstration {
public:
    TDHSelectChord(QObject* c, TBaseService& s, TForHelpService& h, const TDemoSetting& d)
        : TDemonstration(c, s, h, d, "helpSelectChord", "helpSelectChord") {}

protected:
    void steps() override {
        pointAndClick(locate([this] { return help().modeButton(CHORD_MODE_BUTTON); }), 100, 10,
                      100);
        const QPointer<QWidget> canvas = cellCanvas(1);
        choose(canvas, "helpSelectChord");
        showChordPlace(canvas, page(2));
    }
};

class TDHSelectChordTwo : public TDemonstration {
public:
    TDHSelectChordTwo(QObject* c, TBaseService& s, TForHelpService& h, const TDemoSetting& d)
        : TDemonstration(c, s, h, d, "helpSelectChordTwo", "helpSelectChordTwo") {}

protected:
    void steps() override {
        showPage(page(2));
        waitSteps(100);
        pointAt(locate([this] { return help().fastMenuAnchor(); }));
        waitSteps(200);
        showPage(page(3));
        choose(fastMenuArea(FAST_MENU_CHORDS), "helpSelectChordTwo");
        showChordPlace(cellCanvas(0), page(4));
    }
};

// Develops the motive of cell 0 with a chooser's panel, gives the first variant chords and then
// notes of its own, and drags it into cell 1.
class TDHEffect : public TDemonstration {
public:
    TDHEffect(QObject* c, TBaseService& s, TForHelpService& h, const TDemoSetting& d,
              std::string script, bool relative)
        : TDemonstration(c, s, h, d, script, script), relative_(relative) {}

protected:
    bool helpAtRight() const override { return true; }
    void steps() override {
        showPage(page(2));
        play(cellPlayStrip(0), 50);
        showPage(page(3));
        const int chooser = relative_ ? REL_SEQUENCE_UP_CHOOSER : SEQUENCE_UP_CHOOSER;
        drag(cellHandle(0), locate([this, chooser] { return help().panelChooser(chooser); }));
        waitSteps(100);
        showPage(page(4));
        if (relative_) {
            pointAt(locate([this] { return help().relSequenceUpCanvas(); }));
            waitSteps(150);
        } else {
            play(locate([this] { return help().sequenceUpPlayButton(); }), 20);
        }
        showPage(page(5));
        waitSteps(200);
        showPage(page(6));
        pointAndClick(cellSelectionStrip(0), 50, 10, 100);
        showPage(page(7));
        const QPointer<QWidget> canvas = locate([this]() -> QWidget* {
            return relative_ ? help().relSequenceUpCanvas() : help().sequenceUpCanvas();
        });
        // The variant gets its chord, chosen on the chord strip under the notes it took from
        // its source.
        pointAtChordStrip(canvas);
        waitSteps(100);
        playPath(canvas, relative_ ? script() + "1" : script());
        waitForPlayback();
        if (relative_) {
            // Then another chord: the panel builds the same design under it once more.
            showPage(script() + "75.html");
            waitSteps(100);
            pointAtChordStrip(canvas);
            waitSteps(50);
            playPath(canvas, script());
            waitForPlayback();
        }
        showPage(page(8));
        waitSteps(100);
        drag(locate([this] {
                 return relative_ ? help().relSequenceUpHandle() : help().sequenceUpHandle();
             }),
             cellCanvas(1));
        waitSteps(100);
        showPage(page(9));
        play(locate([this] { return help().phraseNode(0); }), 20);
        waitSteps(100);
    }

private:
    bool relative_;
};

class TDHRythmScheme : public TDemonstration {
public:
    TDHRythmScheme(QObject* c, TBaseService& s, TForHelpService& h, const TDemoSetting& d)
        : TDemonstration(c, s, h, d, "helpRythmScheme", "helpRythmScheme") {}

protected:
    bool helpAtRight() const override { return true; }
    int panelAtStart() const override { return SCHEME_CHOOSER; }
    void steps() override {
        // The item row and the gatherer: the scheme is what the gatherer holds.
        showPage(page(2));
        pointAt(locate([this] { return help().rhythmGatherer(); }));
        waitSteps(200);
        // The scheme emptied, then written by hand.
        showPage(page(3));
        runCommands({CLEAR_DURATIONS}, 100);
        const QPointer<QWidget> gatherer = locate([this] { return help().rhythmGatherer(); });
        for (const DURATION duration : {QUARTER, EIGHTH, HALF}) {
            drag(locate([this, duration] { return help().rhythmItemHandle(duration); }), gatherer);
            waitSteps(50);
        }
        waitSteps(150);
        // Each entry of the gatherer can be selected.
        showPage(page(4));
        for (int i = 0; i < 3; ++i)
            pointAndClick(locate([this, i] { return help().rhythmGathererItem(i); }), 30, 20, 50);
        // The deleter takes an entry out, and the selected one with it.
        showPage(page(5));
        drag(locate([this] { return help().rhythmGathererEntry(0); }),
             locate([this] { return help().rhythmDeleter(); }));
        waitSteps(200);
        // A new motive of the scheme, drawn with a contour.
        showPage(page(6));
        generateMotive(RISE_AND_FALL);
        // The mode: the scheme used in order, or as a set of durations.
        showPage(page(7));
        pointAndClick(otherModeButton(&TForHelpService::rhythmModeChooser), 100, 20, 200);
        // The category buttons write the scheme at once.
        showPage(page(8));
        runCommands({SHORT_DURATIONS, NON_UNIFORM_RHYTHM}, 150);
        // Contrast: a motive dropped on the figure becomes the Motive for Contrast, and the
        // contrast buttons write a scheme opposite to it.
        showPage(page(9));
        drag(cellHandle(1), locate([this] { return help().rhythmContrastFigure(); }));
        waitSteps(150);
        showPage(page(10));
        runCommands({CONTRAST_SHORT_LONG}, 200);
        showPage(page(11));
        generateMotive(RISE_AND_FALL);
    }

private:
    // A contour that rises and falls back: the program places notes of the scheme along it.
    inline static const std::vector<QPointF> RISE_AND_FALL{
        {0.08, 0.55}, {0.35, 0.35}, {0.65, 0.3}, {0.95, 0.5}};
};

class TDHTurnScheme : public TDemonstration {
public:
    TDHTurnScheme(QObject* c, TBaseService& s, TForHelpService& h, const TDemoSetting& d)
        : TDemonstration(c, s, h, d, "helpTurnScheme", "helpTurnScheme") {}

protected:
    bool helpAtRight() const override { return true; }
    int panelAtStart() const override { return SCHEME_CHOOSER; }
    void steps() override {
        showPage(page(2));
        const QPointer<QWidget> gatherer = locate([this] { return help().pitchGatherer(); });
        pointAt(gatherer);
        waitSteps(200);
        // The scheme emptied, then three turns of the item row dragged into the gatherer.
        showPage(page(3));
        runCommands({CLEAR_TURNS}, 100);
        for (const int item : {0, 2, 5}) {
            drag(locate([this, item] { return help().pitchItemHandle(item); }), gatherer);
            waitSteps(50);
        }
        waitSteps(150);
        // The deleter takes the first entry out.
        showPage(page(4));
        drag(gathererEntry(&TForHelpService::pitchGatherer, 0),
             locate([this] { return help().pitchDeleter(); }));
        waitSteps(200);
        showPage(page(5));
        pointAndClick(otherModeButton(&TForHelpService::pitchModeChooser), 100, 20, 200);
        showPage(page(6));
        runCommands({CHORD_TURNS, SMALL_TURNS}, 150);
        showPage(page(7));
        generateMotive({{0.08, 0.6}, {0.5, 0.3}, {0.95, 0.45}});
        showPage(page(8));
        drag(cellHandle(1), locate([this] { return help().pitchContrastFigure(); }));
        waitSteps(150);
        showPage(page(9));
        runCommands({CONTRAST_CHORD_TURNS}, 200);
        showPage(page(10));
        generateMotive({{0.08, 0.3}, {0.5, 0.55}, {0.95, 0.4}});
    }
};

class TDHTemplate : public TDemonstration {
public:
    TDHTemplate(QObject* c, TBaseService& s, TForHelpService& h, const TDemoSetting& d)
        : TDemonstration(c, s, h, d, "helpTemplate", "helpTemplate") {}

protected:
    void steps() override {
        showPage(page(2));
        pointAt(cellHandle(0));
        waitSteps(100);
        const QPointer<QWidget> area = fastMenuArea(FAST_MENU_NOTES);
        choose(area, "helpTemplate1");
        // The motive's back button takes the choice back, its forward button makes it again.
        showPage(page(3));
        const QPointer<QWidget> canvas = cellCanvas(0);
        for (const QRect& button : {TUMotiveCanvas::BACK_BUTTON, TUMotiveCanvas::FORWARD_BUTTON}) {
            pointAtSpot(canvas, button.center());
            waitSteps(50);
            click(canvas, 10);
            waitSteps(100);
        }
        showPage(page(4));
        choose(area, "helpTemplate2");
        waitSteps(100);
    }
};

} // namespace

std::unique_ptr<TDynamicHelpThread> makeDemonstration(int number, QObject* context,
                                                      TBaseService& service, TForHelpService& help,
                                                      const TDemoSetting& setting) {
    switch (number) {
    case 1:
        return std::make_unique<TDHSelectNotes>(context, service, help, setting);
    case 2:
        return std::make_unique<TDHSelectNotesTwo>(context, service, help, setting);
    case 3:
        return std::make_unique<TDHSelectChord>(context, service, help, setting);
    case 4:
        return std::make_unique<TDHSelectChordTwo>(context, service, help, setting);
    case 5:
        return std::make_unique<TDHEffect>(context, service, help, setting, "helpSimpleEffect",
                                           false);
    case 6:
        return std::make_unique<TDHEffect>(context, service, help, setting, "helpRelEffect", true);
    case 7:
        return std::make_unique<TDHRythmScheme>(context, service, help, setting);
    case 8:
        return std::make_unique<TDHTurnScheme>(context, service, help, setting);
    case 9:
        return std::make_unique<TDHTemplate>(context, service, help, setting);
    default:
        return nullptr;
    }
}
