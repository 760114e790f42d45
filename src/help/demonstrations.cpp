#include "help/demonstrations.h"

#include "canvas/baseservice.h"
#include "canvas/umotivecanvas.h"
#include "engine/schemecommand.h"
#include "help/forhelpservice.h"
#include "model/duration.h"
#include "panels/groupbuttons.h"
#include "panels/panelchooser.h"
#include "strip/periodpanelcells.h"
#include "widgets/buttons.h"
#include "widgets/dragged.h"

namespace {

// The chooser buttons of the development area that the demonstrations drop motives on.
constexpr int SEQUENCE_UP_CHOOSER = 2;
constexpr int REL_SEQUENCE_UP_CHOOSER = 4;
// The fast menu's areas that choose notes and chords for its motive.
constexpr int FAST_MENU_NOTES = 0;
constexpr int FAST_MENU_CHORDS = 2;
// The mode button that chooses chords.
constexpr int CHORD_MODE_BUTTON = 1;

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
    // Drags the handle onto the target with the pauses of a hand that shows what it does.
    void drag(const QPointer<QWidget>& handle, const QPointer<QWidget>& target) {
        pointAt(handle);
        waitSteps(50);
        dragAndDrop(handle, target, 50, 100);
    }
    // Clicks a play control and waits until the music has finished.
    void play(const QPointer<QWidget>& control, int releaseAfter) {
        pointAt(control);
        waitSteps(30);
        click(control, releaseAfter);
        waitForPlayback();
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
        const QPointer<QWidget> area = fastMenuArea(FAST_MENU_NOTES);
        pointAt(area);
        waitSteps(100);
        playPath(area, "helpSelectNotesTwo");
        waitForPlayback();
        waitSteps(100);
    }
};

class TDHSelectChord : public TDemonstration {
public:
    TDHSelectChord(QObject* c, TBaseService& s, TForHelpService& h, const TDemoSetting& d)
        : TDemonstration(c, s, h, d, "helpSelectChord", "helpSelectChord") {}

protected:
    void steps() override {
        const QPointer<QWidget> button =
            locate([this] { return help().modeButton(CHORD_MODE_BUTTON); });
        pointAt(button);
        waitSteps(100);
        click(button, 10);
        waitSteps(100);
        const QPointer<QWidget> canvas = cellCanvas(1);
        pointAt(canvas);
        waitSteps(100);
        playPath(canvas, "helpSelectChord");
        waitForPlayback();
        waitSteps(100);
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
        const QPointer<QWidget> area = fastMenuArea(FAST_MENU_CHORDS);
        pointAt(area);
        waitSteps(100);
        playPath(area, "helpSelectChordTwo");
        waitForPlayback();
        waitSteps(100);
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
        const QPointer<QWidget> selection = cellSelectionStrip(0);
        pointAt(selection);
        waitSteps(50);
        click(selection, 10);
        waitSteps(100);
        showPage(page(7));
        const QPointer<QWidget> canvas = locate([this]() -> QWidget* {
            return relative_ ? help().relSequenceUpCanvas() : help().sequenceUpCanvas();
        });
        // The variant gets its chords, chosen on the chord strip, then its notes over them,
        // chosen on the staff.
        pointAtChordStrip(canvas);
        waitSteps(100);
        playPath(canvas, script() + "1");
        waitForPlayback();
        showPage(script() + "75.html");
        waitSteps(100);
        pointAt(canvas);
        waitSteps(50);
        playPath(canvas, script());
        waitForPlayback();
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
    void steps() override {
        onInterface([this] { service().selectPanel(0); });
        // The item row and the gatherer: the scheme is what the gatherer holds.
        showPage(page(2));
        pointAt(locate([this] { return help().rhythmGatherer(); }));
        waitSteps(200);
        showPage(page(3));
        const QPointer<QWidget> gatherer = locate([this] { return help().rhythmGatherer(); });
        drag(locate([this] { return help().rhythmItemHandle(QUARTER); }), gatherer);
        waitSteps(50);
        drag(locate([this] { return help().rhythmItemHandle(EIGHTH); }), gatherer);
        waitSteps(200);
        // Each entry of the gatherer can be looked at.
        showPage(page(4));
        for (int i = 0; i < 3; ++i) {
            const QPointer<QWidget> item =
                locate([this, i] { return help().rhythmGathererItem(i); });
            pointAt(item);
            waitSteps(30);
            click(item, 20);
            waitSteps(50);
        }
        // The deleter takes an entry out.
        showPage(page(5));
        drag(locate([this] { return help().rhythmGathererEntry(0); }),
             locate([this] { return help().rhythmDeleter(); }));
        waitSteps(200);
        // A new motive of the scheme, drawn with a contour.
        showPage(page(6));
        generateMotive();
        // The mode: the scheme used in order, or as a set of durations.
        showPage(page(7));
        const QPointer<QWidget> chooser = locate([this] { return help().rhythmModeChooser(); });
        pointAt(chooser);
        waitSteps(100);
        click(chooser, 20);
        waitSteps(200);
        // The category buttons write the scheme at once.
        showPage(page(8));
        for (const int command : {int(SHORT_DURATIONS), int(NON_UNIFORM_RHYTHM)}) {
            const QPointer<QWidget> button =
                locate([this, command] { return help().schemeCommandButton(command); });
            pointAt(button);
            waitSteps(50);
            click(button, 20);
            waitSteps(150);
        }
        // Contrast: a motive dropped on the figure becomes the Motive for Contrast, and the
        // contrast buttons write a scheme opposite to it.
        showPage(page(9));
        drag(cellHandle(1), locate([this] { return help().rhythmContrastFigure(); }));
        waitSteps(150);
        showPage(page(10));
        const QPointer<QWidget> contrast =
            locate([this] { return help().schemeCommandButton(CONTRAST_SHORT_LONG); });
        pointAt(contrast);
        waitSteps(50);
        click(contrast, 20);
        waitSteps(200);
        showPage(page(11));
        generateMotive();
    }

private:
    // Draws a contour over cell 2 in the mode that generates a motive and plays it.
    void generateMotive() {
        const QPointer<QWidget> button = locate([this] { return help().modeButton(4); });
        pointAt(button);
        waitSteps(50);
        click(button, 10);
        const QPointer<QWidget> canvas = cellCanvas(2);
        pointAtLeftPart(canvas);
        waitSteps(50);
        // A contour that rises and falls back: the program places notes of the scheme along it.
        drawContour(canvas, {{0.08, 0.55}, {0.35, 0.35}, {0.65, 0.3}, {0.95, 0.5}});
        waitForPlayback();
        waitSteps(100);
    }
};

class TDHTurnScheme : public TDemonstration {
public:
    TDHTurnScheme(QObject* c, TBaseService& s, TForHelpService& h, const TDemoSetting& d)
        : TDemonstration(c, s, h, d, "helpTurnScheme", "helpTurnScheme") {}

protected:
    bool helpAtRight() const override { return true; }
    void steps() override {
        onInterface([this] { service().selectPanel(0); });
        showPage(page(2));
        const QPointer<QWidget> gatherer = locate([this] { return help().pitchGatherer(); });
        pointAt(gatherer);
        waitSteps(200);
        // Turns dragged into the gatherer: a step up, a leap of a third.
        showPage(page(3));
        drag(locate([this] { return help().pitchItemHandle(0); }), gatherer);
        waitSteps(50);
        drag(locate([this] { return help().pitchItemHandle(2); }), gatherer);
        waitSteps(200);
        // The deleter clears the scheme.
        showPage(page(4));
        pointAt(locate([this] { return help().pitchDeleter(); }));
        waitSteps(200);
        showPage(page(5));
        const QPointer<QWidget> chooser = locate([this] { return help().pitchModeChooser(); });
        pointAt(chooser);
        waitSteps(100);
        click(chooser, 20);
        waitSteps(200);
        showPage(page(6));
        for (const int command : {int(CHORD_TURNS), int(SMALL_TURNS)}) {
            const QPointer<QWidget> button =
                locate([this, command] { return help().schemeCommandButton(command); });
            pointAt(button);
            waitSteps(50);
            click(button, 20);
            waitSteps(150);
        }
        showPage(page(7));
        generateMotive({{0.08, 0.6}, {0.5, 0.3}, {0.95, 0.45}});
        showPage(page(8));
        drag(cellHandle(1), locate([this] { return help().pitchContrastFigure(); }));
        waitSteps(150);
        showPage(page(9));
        const QPointer<QWidget> contrast =
            locate([this] { return help().schemeCommandButton(CONTRAST_CHORD_TURNS); });
        pointAt(contrast);
        waitSteps(50);
        click(contrast, 20);
        waitSteps(200);
        showPage(page(10));
        generateMotive({{0.08, 0.3}, {0.5, 0.55}, {0.95, 0.4}});
    }

private:
    void generateMotive(const std::vector<QPointF>& contour) {
        const QPointer<QWidget> button = locate([this] { return help().modeButton(4); });
        pointAt(button);
        waitSteps(50);
        click(button, 10);
        const QPointer<QWidget> canvas = cellCanvas(2);
        pointAtLeftPart(canvas);
        waitSteps(50);
        drawContour(canvas, contour);
        waitForPlayback();
        waitSteps(100);
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
        pointAt(area);
        waitSteps(100);
        playPath(area, "helpTemplate1");
        waitForPlayback();
        showPage(page(3));
        waitSteps(200);
        showPage(page(4));
        pointAt(area);
        waitSteps(100);
        playPath(area, "helpTemplate2");
        waitForPlayback();
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
