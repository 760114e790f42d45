#include "shell/topframe.h"

#include "canvas/baseservice.h"
#include "files/messagebundle.h"
#include "model/glyphatlas.h"
#include "shell/baseactioninterface.h"
#include "shell/temppanel.h"
#include "widgets/drawing.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>

#include <QPainter>
#include <QShortcut>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <filesystem>

#include <algorithm>

namespace {

// The layout's width of the frame's client area and of the main window, in pixels.
constexpr int FRAME_WIDTH = 1016;
constexpr int TOOL_AREA_HEIGHT = 42;

QIcon glyphIcon(TGlyph glyph) {
    const TRect rect = glyphRect(glyph);
    // Drawn at twice the size, so that the menus' icons stay crisp on a screen of ratio 2.
    QPixmap pixmap(rect.width() * 2, rect.height() * 2);
    pixmap.setDevicePixelRatio(2.0);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawGlyphCentred(painter, rect, QRect(0, 0, rect.width(), rect.height()), true);
    return QIcon(pixmap);
}

// The demonstrations' commands, named by the bundle keys of their captions.
const std::pair<const char*, void (TBaseActionInterface::*)()> DEMONSTRATION_COMMANDS[] = {
    {"demo1", &TBaseActionInterface::demo1}, {"demo2", &TBaseActionInterface::demo2},
    {"demo3", &TBaseActionInterface::demo3}, {"demo4", &TBaseActionInterface::demo4},
    {"demo5", &TBaseActionInterface::demo5}, {"demo6", &TBaseActionInterface::demo6},
    {"demo7", &TBaseActionInterface::demo7}, {"demo8", &TBaseActionInterface::demo8},
    {"demo9", &TBaseActionInterface::demo9},
};

// The demonstration buttons: command, caption, in two rows of five and two.
struct TDemoButton {
    const char* command;
    const char* caption;
};
constexpr TDemoButton DEMONSTRATION_BUTTONS[] = {
    {"demo1", "Notes"},     {"demo3", "Chords"}, {"demo4", "Fast ch."}, {"demo5", "Develop"},
    {"demo6", "Rel. dev."}, {"demo7", "Rhythm"}, {"demo8", "Pitch"},
};
// The word of each demonstration's title whose first letter is its key in the "Demo" menu.
constexpr std::pair<const char*, const char*> DEMONSTRATION_MNEMONICS[] = {
    {"demo1", "notes"},    {"demo3", "chord"}, {"demo4", "Fast"},  {"demo5", "simple"},
    {"demo6", "relative"}, {"demo7", "the"},   {"demo8", "Pitch"},
};

// The tempo label's left edge, the room between a label and its control and between controls.
constexpr int TEMPO_LEFT = 193;
constexpr int LABEL_GAP = 4;
constexpr int CONTROL_GAP = 8;
constexpr int DELAY_SLIDER_LEFT = 409;

constexpr int DEMO_BUTTONS_LEFT = 526 + 21 + 10;
constexpr int DEMO_BUTTON_MIN_WIDTH = 36;
constexpr int DEMO_BUTTON_GAP = 4;
constexpr int DEMO_CAPTION_PADDING = 8;
constexpr int DEMO_BUTTON_HEIGHT = 21;
constexpr int DEMO_BUTTONS_PER_ROW = 5;

} // namespace

bool handlePlayKey(int key, TBaseActionInterface* actions) {
    if (actions == nullptr || (key != Qt::Key_Space && key != Qt::Key_Escape))
        return false;
    if (key == Qt::Key_Space)
        actions->playOrStop();
    else
        actions->stopPlay();
    return true;
}

TTopFrame::TTopFrame() : toolArea_(new QWidget) {
    paintBackground(*this);
    // The frame and the main window work as one: hints show whichever of them is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    toolArea_->setAutoFillBackground(true);
    toolArea_->setMinimumSize(FRAME_WIDTH, TOOL_AREA_HEIGHT);
    toolArea_->setMaximumHeight(TOOL_AREA_HEIGHT);
    setCentralWidget(toolArea_);
    buildMenus();
    setFixedHeight(sizeHint().height());
    setMinimumWidth(sizeHint().width());
    move(0, 0);
}

TTopFrame::~TTopFrame() = default;

QAction* TTopFrame::addCommand(const char* captionKey, void (TBaseActionInterface::*run)(),
                               const QKeySequence& shortcut) {
    auto* action = new QAction(this);
    connect(action, &QAction::triggered, this, [this, run] {
        if (actions_ != nullptr)
            (actions_->*run)();
    });
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // The shortcut works from whichever window of the application has the focus.
        action->setShortcutContext(Qt::ApplicationShortcut);
        addAction(action);
    }
    commands_[captionKey] = action;
    return action;
}

QAction* TTopFrame::addToggle(const char* captionKey, void (TBaseActionInterface::*set)(bool)) {
    auto* action = new QAction(this);
    action->setCheckable(true);
    connect(action, &QAction::toggled, this, [this, set](bool on) {
        if (actions_ != nullptr)
            (actions_->*set)(on);
    });
    commands_[captionKey] = action;
    return action;
}

QMenu* TTopFrame::addMenu(const char* captionKey) {
    QMenu* menu = menuBar()->addMenu(QString());
    menus_[captionKey] = menu;
    return menu;
}

void TTopFrame::fillRecentMenu(QMenu& menu) {
    menu.clear();
    const std::vector<std::string> files =
        actions_ != nullptr ? actions_->recentFiles() : std::vector<std::string>();
    int number = 1;
    for (const std::string& file : files) {
        const QString name =
            QString::fromStdString(std::filesystem::path(file).filename().string());
        QAction* entry = menu.addAction(QString("&%1 %2").arg(number++).arg(name));
        entry->setToolTip(QString::fromStdString(file));
        connect(entry, &QAction::triggered, this, [this, file] {
            if (actions_ != nullptr)
                actions_->openRecent(file);
        });
    }
    if (files.empty())
        menu.addAction(QString::fromStdString(service_->messageBundle().text("menu no recent")))
            ->setEnabled(false);
}

void iconWhenShown(QMenu& menu, QAction& action, TGlyph glyph) {
    // The menu lays its items out after aboutToShow, with room for the icon.
    QObject::connect(
        &menu, &QMenu::aboutToShow, &action, [&action, glyph] { action.setIcon(glyphIcon(glyph)); },
        Qt::SingleShotConnection);
}

QAction* TTopFrame::command(const std::string& key) const {
    const auto found = commands_.find(key);
    return found != commands_.end() ? found->second : nullptr;
}

void TTopFrame::buildMenus() {
    QMenu* file = addMenu("menu file");
    QAction* create = addCommand("menu new", &TBaseActionInterface::newComposition,
                                 QKeySequence(Qt::CTRL | Qt::Key_N));
    iconWhenShown(*file, *create, TGlyph::ToolNew);
    file->addAction(create);
    QAction* open = addCommand("menu open", &TBaseActionInterface::open, QKeySequence::Open);
    iconWhenShown(*file, *open, TGlyph::ToolOpen);
    file->addAction(open);
    QMenu* recent = file->addMenu(QString());
    menus_["menu open recent"] = recent;
    // The list is read when the menu opens: a file that went since is not offered.
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecentMenu(*recent); });
    QAction* save = addCommand("menu save", &TBaseActionInterface::save, QKeySequence::Save);
    iconWhenShown(*file, *save, TGlyph::ToolSave);
    file->addAction(save);
    file->addAction(addCommand("menu save as", &TBaseActionInterface::saveAs,
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    file->addSeparator();
    QAction* exportMidi = addCommand("menu export midi", &TBaseActionInterface::exportToMidi);
    iconWhenShown(*file, *exportMidi, TGlyph::ToolExportMidi);
    file->addAction(exportMidi);
    file->addAction(addCommand("menu export musicxml", &TBaseActionInterface::exportToMusicXml));
    file->addSeparator();
    QAction* quit = new QAction(this);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::ApplicationShortcut);
    addAction(quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    commands_["menu quit"] = quit;
    file->addAction(quit);

    QMenu* edit = addMenu("menu edit");
    edit->addAction(addCommand("menu undo", &TBaseActionInterface::undo, QKeySequence::Undo));
    QAction* redo = addCommand("menu redo", &TBaseActionInterface::redo,
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(redo);

    QMenu* view = addMenu("menu view");
    view->addAction(addCommand("menu editor", &TBaseActionInterface::showEditor));
    view->addAction(addToggle("menu fast menu", &TBaseActionInterface::setFastMenuShown));

    QMenu* tools = addMenu("menu tools");
    QAction* devices = addCommand("menu midi devices", &TBaseActionInterface::chooseMidiDevice);
    iconWhenShown(*tools, *devices, TGlyph::ToolMidiDevice);
    tools->addAction(devices);
    tools->addAction(addToggle("menu school harmony", &TBaseActionInterface::setSchoolHarmony));
    tools->addSeparator();
    tools->addAction(addCommand("menu harmonise period", &TBaseActionInterface::harmonisePeriod));
    tools->addAction(
        addCommand("menu compose empty motives", &TBaseActionInterface::composeEmptyMotives));

    QMenu* demo = addMenu("menu demo");
    for (const auto& [key, run] : DEMONSTRATION_COMMANDS) {
        QAction* command = addCommand(key, run);
        // The second and the ninth are commands without a menu item.
        if (std::string_view(key) != "demo2" && std::string_view(key) != "demo9")
            demo->addAction(command);
    }

    QMenu* help = addMenu("menu help");
    help->addAction(addCommand("menu theory", &TBaseActionInterface::theoryHelp));
    help->addAction(addCommand("menu step by step", &TBaseActionInterface::stepByStepHelp));
    QAction* about = addCommand("menu about", &TBaseActionInterface::about);
    iconWhenShown(*help, *about, TGlyph::ToolAbout);
    help->addAction(about);

    // Commands of the tool buttons only.
    addCommand("play", &TBaseActionInterface::playAll);
    addCommand("stop", &TBaseActionInterface::stopPlay);
}

void TTopFrame::applyTexts() {
    const TMessageBundle& bundle = service_->messageBundle();
    for (const auto& [key, action] : commands_)
        action->setText(QString::fromStdString(bundle.text(key)));
    for (const auto& [key, word] : DEMONSTRATION_MNEMONICS) {
        QString text = QString::fromStdString(bundle.text(key));
        const qsizetype at = text.indexOf(QLatin1String(word));
        if (at >= 0)
            commands_.at(key)->setText(text.insert(at, '&'));
    }
    for (const auto& [key, menu] : menus_)
        menu->setTitle(QString::fromStdString(bundle.text(key)));
}

void TTopFrame::buildToolArea() {
    applyTexts();
    // The menu bar has its height once its menus have their titles; the tool area keeps its
    // whole height below it (else the second row of buttons and the cursor-delay slider are cut
    // off).
    setFixedHeight(menuBar()->sizeHint().height() + TOOL_AREA_HEIGHT);
    const TMessageBundle& bundle = service_->messageBundle();
    auto* label = new QLabel(QString::fromStdString(bundle.text("temp")), toolArea_);
    tempoPanel_ = new TTempPanel(toolArea_, bundle);
    // The label is as wide as its text in this font; the control follows it.
    label->setGeometry(TEMPO_LEFT, 5, label->sizeHint().width(), tempoPanel_->height());
    tempoPanel_->move(label->geometry().right() + 1 + LABEL_GAP, 5);
    label->setBuddy(tempoPanel_->number());
    tempoPanel_->setTempo(100);

    addToolButton(0, "new", "menu new", glyphRect(TGlyph::ToolNew),
                  glyphRect(TGlyph::ToolNewDisabled), QRect(5, 0, 28, 28));
    addToolButton(1, "save", "menu save", glyphRect(TGlyph::ToolSave),
                  glyphRect(TGlyph::ToolSaveDisabled), QRect(33, 0, 28, 28));
    addToolButton(2, "open", "menu open", glyphRect(TGlyph::ToolOpen),
                  glyphRect(TGlyph::ToolOpenDisabled), QRect(61, 0, 28, 28));
    addToolButton(3, "play", "play", glyphRect(TGlyph::ToolPlayAll),
                  glyphRect(TGlyph::ToolPlayAllDisabled), QRect(110, 0, 27, 27));
    addToolButton(4, "stop", "stop", glyphRect(TGlyph::ToolStop),
                  glyphRect(TGlyph::ToolStopDisabled), QRect(138, 0, 27, 27));

    // The help buttons show their caption; each runs the command of its menu item.
    helpButtons_.push_back(
        addHelpButton(theoryAction(), "Theory", "theory", QRect(858, 9, 52, 22)));
    helpButtons_.push_back(
        addHelpButton(stepHelpAction(), "Step by step", "step by step", QRect(910, 9, 79, 22)));

    // How long the pointer rests on a preview in the variant view before it is kept; right of
    // the tempo control, however wide its label came out.
    const int delayLeft =
        std::max(DELAY_SLIDER_LEFT, tempoPanel_->geometry().right() + 1 + CONTROL_GAP);
    auto* delayLabel = new QLabel("VAZ cursor delay:", toolArea_);
    delayLabel->setGeometry(QRect(QPoint(delayLeft + 10, 0), delayLabel->sizeHint()));
    cursorDelay_ = new QSlider(Qt::Horizontal, toolArea_);
    cursorDelay_->setGeometry(delayLeft, delayLabel->geometry().bottom() + 1, 100, 25);
    cursorDelay_->setRange(1, 7);
    cursorDelay_->setSingleStep(1);
    cursorDelay_->setPageStep(1);
    cursorDelay_->setValue(4);
    cursorDelay_->setTickPosition(QSlider::TicksBelow);
    cursorDelay_->setAccessibleName("VAZ cursor delay");
    cursorDelay_->setToolTip("A resting pointer keeps no variant: release to keep the one "
                             "under the pointer, or go back to the middle line to keep it and "
                             "choose the next");
    delayLabel->setBuddy(cursorDelay_);

    // The demonstrations, each with its title as the hint, right of the cursor delay.
    const int demoLeft = std::max(DEMO_BUTTONS_LEFT, std::max(delayLabel->geometry().right(),
                                                              cursorDelay_->geometry().right()) +
                                                         1 + CONTROL_GAP);
    // Each as wide as its caption needs, with a gap to the next, so that no two captions
    // touch; the rows stay left of the help buttons.
    int place = 0;
    int left = demoLeft;
    for (const TDemoButton& button : DEMONSTRATION_BUTTONS) {
        const int column = place % DEMO_BUTTONS_PER_ROW;
        const int row = place / DEMO_BUTTONS_PER_ROW;
        if (column == 0)
            left = demoLeft;
        const int width = std::max(DEMO_BUTTON_MIN_WIDTH,
                                   toolArea_->fontMetrics().horizontalAdvance(button.caption) +
                                       DEMO_CAPTION_PADDING);
        demoButtons_.push_back(
            addHelpButton(command(button.command), button.caption, button.command,
                          QRect(left, row * DEMO_BUTTON_HEIGHT, width, DEMO_BUTTON_HEIGHT)));
        left += width + DEMO_BUTTON_GAP;
        ++place;
    }

    // The tab order runs through the tool buttons first, then the tempo control.
    QWidget* previous = nullptr;
    for (TFlatButtonWithID* button : toolButtons_) {
        if (previous != nullptr)
            setTabOrder(previous, button);
        previous = button;
    }
    setTabOrder(previous, tempoPanel_->names());
    setTabOrder(tempoPanel_->names(), tempoPanel_->number());

    // The frame is already on the screen while the main window starts.
    label->show();
    tempoPanel_->show();
    delayLabel->show();
    cursorDelay_->show();
    for (TFlatButtonWithID* button : toolButtons_)
        button->show();
    for (QToolButton* button : helpButtons_)
        button->show();
    for (QToolButton* button : demoButtons_)
        button->show();
    toolButtons_.front()->setFocus();
}

QToolButton* TTopFrame::addHelpButton(QAction* command, const char* caption, const char* hintKey,
                                      QRect place) {
    auto* button = new QToolButton(toolArea_);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setGeometry(place);
    button->setToolTip(QString::fromStdString(service_->messageBundle().text(hintKey)));
    button->setToolTipDuration(10000);
    connect(button, &QToolButton::clicked, command, &QAction::trigger);
    return button;
}

void TTopFrame::addToolButton(int id, const char* hintKey, const char* commandKey,
                              const TRect& glyph, const TRect& disabled, QRect place) {
    auto* button = new TFlatButtonWithID(toolArea_, &toolGroup_, glyph, disabled, id);
    button->setGeometry(place);
    button->setHint(QString::fromStdString(service_->messageBundle().text(hintKey)));
    button->setToolTipDuration(10000);
    button->setAction(command(commandKey));
    toolButtons_.push_back(button);
}

void TTopFrame::setCaption() {
    setWindowTitle(QString::fromStdString(service_->messageBundle().text("thetonaria")));
}

void TTopFrame::shareMenuKeys(QWidget& window) {
    for (QAction* menuAction : menuBar()->actions()) {
        const QKeySequence key = QKeySequence::mnemonic(menuAction->text());
        if (key.isEmpty())
            continue;
        auto* shortcut = new QShortcut(key, &window);
        connect(shortcut, &QShortcut::activated, this, [this, menuAction] {
            show();
            raise();
            activateWindow();
            menuBar()->setActiveAction(menuAction);
        });
    }
}

void TTopFrame::followWidth(int width) {
    resize(std::max(width, minimumWidth()), height());
}

int TTopFrame::cursorDelayPosition() const {
    return cursorDelay_ != nullptr ? cursorDelay_->value() : 4;
}

void TTopFrame::closeEvent(QCloseEvent* event) {
    if (actions_ != nullptr && !actions_->mayQuit()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

void TTopFrame::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier && handlePlayKey(event->key(), actions_))
        return;
    QMainWindow::keyPressEvent(event);
}
