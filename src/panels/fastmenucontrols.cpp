// Building and arranging the controls of the fast menu.
#include "panels/fastmenu.h"

#include "canvas/baseservice.h"
#include "canvas/umotivecanvas.h"
#include "engine/scheme.h"
#include "engine/schemecommand.h"
#include "files/messagebundle.h"
#include "model/glyphatlas.h"
#include "model/glyphs.h"
#include "panels/eventtranslater.h"
#include "panels/fastschemepanel.h"
#include "panels/picturebutton.h"
#include "widgets/dragged.h"
#include "widgets/drawing.h"

#include <QPainter>

namespace {

// Arrangement: two groups of twenty commands side by side (rhythm left, pitch right), each in
// five category columns of three rows and a row of the five scheme commands; under each its
// drop target, Motive for Contrast, show button and scheme-view button; then the mode areas and
// the navigation and deletion buttons.
constexpr int MARGIN = 4;
constexpr int PADDING = 3;
constexpr int COMMAND_SIZE = 20;
constexpr int COMMAND_STEP = 21;
constexpr int GROUP_WIDTH = 2 * PADDING + 5 * COMMAND_STEP - 1;
constexpr int COMMAND_GROUP_HEIGHT = 2 * PADDING + 3 * COMMAND_STEP + 3 + COMMAND_SIZE;
constexpr int ROW_HEIGHT = 42;
constexpr int TALL_BUTTON_WIDTH = 25;
constexpr int TALL_BUTTON_HEIGHT = 36;
constexpr int PITCH_GROUP_LEFT = MARGIN + GROUP_WIDTH + MARGIN;
constexpr int SCHEME_ROW_TOP = MARGIN + COMMAND_GROUP_HEIGHT + MARGIN;
constexpr int LAST_ROW_TOP = SCHEME_ROW_TOP + ROW_HEIGHT + MARGIN;
constexpr int CLIENT_WIDTH = PITCH_GROUP_LEFT + GROUP_WIDTH + MARGIN;
constexpr int CLIENT_HEIGHT = LAST_ROW_TOP + ROW_HEIGHT + MARGIN;

// What each category generator's button shows: a few of the durations or turns it favours.
// The contrast command of a category shows its first generator's picture with the contrast mark.
TButtonPicture categoryPicture(const TSchemeCommandEntry& entry) {
    const bool pitch = isPitchCommand(entry.command);
    static const std::vector<std::vector<int>> rhythms = {
        {30, 30},      {240},     {60, 60},  {90, 30}, {120, 60, 30},
        {30, 60, 120}, {60, -60}, {60, 120}, {60},     {30, 90, 240}};
    static const std::vector<std::vector<int>> turns = {{PASSING},
                                                        {CHORD_LEAP_3},
                                                        {CHORD_LEAP_1, CHORD_LEAP_1},
                                                        {CHORD_LEAP_1, APPOGGIATURA},
                                                        {CHORD_LEAP_2},
                                                        {NEIGHBOUR},
                                                        {CHORD_LEAP_2, NEIGHBOUR},
                                                        {NEIGHBOUR, CHORD_LEAP_2},
                                                        {CHORD_LEAP_1},
                                                        {CHORD_LEAP_1, NEIGHBOUR, APPOGGIATURA}};
    const std::size_t row = static_cast<std::size_t>(2 * entry.category + (entry.row == 1 ? 1 : 0));
    TButtonPicture picture;
    for (const int value : pitch ? turns[row] : rhythms[row])
        picture.glyphs.push_back(pitch ? turnGlyph(value) : durationGlyph(value));
    picture.contrastMark = entry.kind == TSchemeCommandKind::CONTRAST;
    return picture;
}

// Clear, default, random, invert and mix.
TButtonPicture schemePicture(const TSchemeCommandEntry& entry) {
    TButtonPicture picture;
    switch (entry.category) {
    case 0:
        picture.glyphs = {glyphRect(TGlyph::Delete)};
        break;
    case 1:
        picture.symbol = QString::fromUtf8("\u21BA");
        break;
    case 2:
        picture.symbol = "?";
        break;
    case 3:
        picture.symbol = QString::fromUtf8("\u21C4");
        break;
    default:
        picture.symbol = QString::fromUtf8("\u2248");
        break;
    }
    return picture;
}

// Where a command button stands inside its group: categories top to bottom, then the next
// column; the scheme commands in one row below.
QPoint commandPlace(const TSchemeCommandEntry& entry) {
    const int left = (isPitchCommand(entry.command) ? PITCH_GROUP_LEFT : MARGIN) + PADDING;
    const int top = MARGIN + PADDING;
    const int x = left + entry.category * COMMAND_STEP;
    if (entry.kind == TSchemeCommandKind::SCHEME)
        return {x, top + 3 * COMMAND_STEP + 3};
    return {x, top + entry.row * COMMAND_STEP};
}

QString bundleText(TBaseService& service, const char* key) {
    return QString::fromStdString(service.messageBundle().text(key));
}

TButtonPicture glyphPicture(std::vector<TRect> glyphs, bool contrastMark = false) {
    TButtonPicture picture;
    picture.glyphs = std::move(glyphs);
    picture.contrastMark = contrastMark;
    return picture;
}

TButtonPicture symbolPicture(const char* utf8) {
    TButtonPicture picture;
    picture.symbol = QString::fromUtf8(utf8);
    return picture;
}

} // namespace

TPictureButton* TFastMenu::addFlatButton(FlatButton which, const char* hintKey, int x, int y,
                                         int width, int height, bool takesMotives) {
    TButtonPicture picture;
    switch (which) {
    case STOP:
        picture = glyphPicture({glyphRect(TGlyph::ToolStop)});
        break;
    case MOVE_TO_LEFT:
        picture = symbolPicture("\u25C0");
        break;
    case MOVE_TO_RIGHT:
        picture = symbolPicture("\u25B6");
        break;
    case DELETE_ALL_NOTES:
        picture = glyphPicture({durationGlyph(60), glyphRect(TGlyph::Delete)});
        break;
    case DELETE_ALL_FROM_SCHEME:
        picture = symbolPicture("\u2205");
        break;
    case DEFAULT_SCHEME:
        picture = symbolPicture("\u21BA");
        break;
    case RHYTHM_CONTRAST_MOTIVE:
    case PITCH_CONTRAST_MOTIVE:
        picture = glyphPicture({glyphRect(TGlyph::ContrastFigure)});
        break;
    case SHOW_RHYTHM_CONTRAST_MOTIVE:
    case SHOW_PITCH_CONTRAST_MOTIVE:
        picture = glyphPicture({glyphRect(TGlyph::ShowContrast)});
        break;
    case SHOW_RHYTHM_SCHEME:
        picture = glyphPicture({durationGlyph(60, true), durationGlyph(120, true)});
        break;
    case SHOW_PITCH_SCHEME:
        picture = glyphPicture({turnGlyph(CHORD_LEAP_1, true), turnGlyph(NEIGHBOUR, true)});
        break;
    case DROP_FOR_RHYTHM:
        picture = glyphPicture({durationGlyph(60), durationGlyph(120)});
        break;
    case DROP_FOR_PITCH:
        picture = glyphPicture({turnGlyph(NEIGHBOUR)});
        break;
    default:
        break;
    }
    auto* button = new TPictureButton(this, &flatGroup_, std::move(picture), COMMAND_COUNT + which,
                                      takesMotives);
    button->setGeometry(x, y, width, height);
    button->setHint(bundleText(service_, hintKey));
    button->setListeners(this, this);
    if (takesMotives) {
        connect(button, &TMotiveDropButton::motiveDropped, this,
                [this, which](TMotiveCanvas* source) { motiveDropped(which, source); });
    }
    flatButtons_[static_cast<std::size_t>(which)] = button;
    return button;
}

void TFastMenu::buildControls() {
    // Controls are made in the order the Tab key walks them: each half of the scheme with
    // its row, then the modes, then navigation.
    auto addCommands = [this](bool pitch) {
        for (const TSchemeCommandEntry& entry : SCHEME_COMMANDS) {
            if (isPitchCommand(entry.command) != pitch)
                continue;
            TButtonPicture picture = entry.kind == TSchemeCommandKind::SCHEME
                                         ? schemePicture(entry)
                                         : categoryPicture(entry);
            auto* button =
                new TPictureButton(this, &commandGroup_, std::move(picture), entry.command, false);
            button->setGeometry(QRect(commandPlace(entry), QSize(COMMAND_SIZE, COMMAND_SIZE)));
            button->setHint(bundleText(service_, entry.hintKey));
            button->setListeners(this, this);
            commands_[static_cast<std::size_t>(entry.command)] = button;
        }
    };
    auto addSchemeRow = [this](int left, std::array<FlatButton, 4> buttons,
                               std::array<const char*, 4> keys) {
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            const bool drop = i < 2; // the drop target and the Motive for Contrast
            addFlatButton(buttons[i], keys[i], left + PADDING + int(i) * (TALL_BUTTON_WIDTH + 1),
                          SCHEME_ROW_TOP + PADDING, TALL_BUTTON_WIDTH, TALL_BUTTON_HEIGHT, drop);
        }
    };
    addCommands(false);
    addSchemeRow(
        MARGIN,
        {DROP_FOR_RHYTHM, RHYTHM_CONTRAST_MOTIVE, SHOW_RHYTHM_CONTRAST_MOTIVE, SHOW_RHYTHM_SCHEME},
        {"drag drop for ryhtm", "motive for contrast", "show motive for contrast",
         "current motive rythm scheme"});
    addCommands(true);
    addSchemeRow(
        PITCH_GROUP_LEFT,
        {DROP_FOR_PITCH, PITCH_CONTRAST_MOTIVE, SHOW_PITCH_CONTRAST_MOTIVE, SHOW_PITCH_SCHEME},
        {"drag drop for pitch", "motive for contrast", "show motive for contrast",
         "current motive turn scheme"});

    // The mode areas: notes over the chords, chords and notes, chords, chords under the notes.
    const std::array<std::pair<int, std::vector<TRect>>, MODE_AREA_COUNT> areas{{
        {TUMotiveCanvas::MODE_NOTE, {modeGlyph(1)}},
        {TUMotiveCanvas::MODE_CHORD_AND_NOTE, {modeGlyph(2), modeGlyph(1)}},
        {TUMotiveCanvas::MODE_NEW_CHORD, {modeGlyph(2)}},
        {TUMotiveCanvas::MODE_CHORD, {modeGlyph(3)}},
    }};
    const std::array<const char*, MODE_AREA_COUNT> areaKeys{
        "select notes", "select chord and notes", "select chords", "select chords under notes"};
    for (std::size_t i = 0; i < areas.size(); ++i) {
        auto* area = new TEventTranslater(this, areas[i].first, areas[i].second);
        area->setGeometry(MARGIN + PADDING + int(i) * (TALL_BUTTON_WIDTH + 1),
                          LAST_ROW_TOP + PADDING, TALL_BUTTON_WIDTH, TALL_BUTTON_HEIGHT);
        area->setHint(bundleText(service_, areaKeys[i]));
        area->setListeners(this, this);
        modeAreas_[i] = area;
    }

    const int navigationLeft = PITCH_GROUP_LEFT + PADDING;
    const int smallWidth = (GROUP_WIDTH - 2 * PADDING - 2) / 3;
    const int smallHeight = (ROW_HEIGHT - 2 * PADDING - 1) / 2;
    const std::array<std::pair<FlatButton, const char*>, 6> navigation{{
        {MOVE_TO_LEFT, "move to left"},
        {STOP, "stop"},
        {MOVE_TO_RIGHT, "move to right"},
        {DELETE_ALL_NOTES, "delete all notes"},
        {DELETE_ALL_FROM_SCHEME, "delete all from scheme"},
        {DEFAULT_SCHEME, "default scheme"},
    }};
    for (std::size_t i = 0; i < navigation.size(); ++i) {
        const int column = int(i % 3);
        const int row = int(i / 3);
        addFlatButton(
            navigation[i].first, navigation[i].second, navigationLeft + column * (smallWidth + 1),
            LAST_ROW_TOP + PADDING + row * (smallHeight + 1), smallWidth, smallHeight, false);
    }

    for (TEventTranslater* area : modeAreas_)
        controls_.push_back(area);
    for (TPictureButton* command : commands_)
        controls_.push_back(command);
    for (TPictureButton* button : flatButtons_)
        controls_.push_back(button);

    groupFrames_ = {
        {MARGIN, MARGIN, GROUP_WIDTH, COMMAND_GROUP_HEIGHT},
        {PITCH_GROUP_LEFT, MARGIN, GROUP_WIDTH, COMMAND_GROUP_HEIGHT},
        {MARGIN, SCHEME_ROW_TOP, GROUP_WIDTH, ROW_HEIGHT},
        {PITCH_GROUP_LEFT, SCHEME_ROW_TOP, GROUP_WIDTH, ROW_HEIGHT},
        {MARGIN, LAST_ROW_TOP, GROUP_WIDTH, ROW_HEIGHT},
        {PITCH_GROUP_LEFT, LAST_ROW_TOP, GROUP_WIDTH, ROW_HEIGHT},
    };

    // The scheme view covers the commands while it shows.
    schemeView_->setGeometry(0, 0, CLIENT_WIDTH, SCHEME_ROW_TOP - 1);
    schemeView_->hide();
    setFixedSize(CLIENT_WIDTH, CLIENT_HEIGHT);
}

void TFastMenu::refreshContrastFigures() {
    TScheme& scheme = service_.scheme();
    for (const auto& [which, motive] :
         {std::pair{RHYTHM_CONTRAST_MOTIVE, &scheme.rhythmContrastMotive()},
          std::pair{PITCH_CONTRAST_MOTIVE, &scheme.pitchContrastMotive()}}) {
        // The figure shows whether the set has a Motive for Contrast, as the scheme panel's does.
        const TGlyph glyph = motive->isEmpty() ? TGlyph::ContrastFigure : TGlyph::ContrastFigureSet;
        flatButtons_[std::size_t(which)]->setPicture(glyphPicture({glyphRect(glyph)}));
    }
}

void TFastMenu::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColour());
    // Etched frames: a grey line with a white one beside it.
    for (const QRect& frame : groupFrames_) {
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(frame.adjusted(0, 0, -2, -2));
        painter.setPen(Qt::white);
        painter.drawRect(frame.adjusted(1, 1, -1, -1));
    }
}
