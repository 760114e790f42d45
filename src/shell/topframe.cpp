#include "shell/topframe.h"

#include "canvas/baseservice.h"
#include "canvas/temppanel.h"
#include "files/messagebundle.h"
#include "model/glyphatlas.h"
#include "shell/baseactioninterface.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QSlider>
#include <QToolButton>

namespace {

QIcon glyphIcon(TGlyph glyph) {
    const TRect rect = glyphRect(glyph);
    QPixmap pixmap(rect.width(), rect.height());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawGlyphCentred(painter, rect, pixmap.rect(), true);
    return QIcon(pixmap);
}

} // namespace

TTopFrame::TTopFrame() : toolArea_(new QWidget) {
    const TColour background = TColour::fromValue(BACKGROUND_COLOUR);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(background.red, background.green, background.blue));
    setPalette(palette);
    toolArea_->setAutoFillBackground(true);
    toolArea_->setFixedSize(1016, 42);
    setCentralWidget(toolArea_);
    buildMenus();
    setFixedSize(sizeHint());
    move(0, 0);
}

TTopFrame::~TTopFrame() = default;

QAction* TTopFrame::addCommand(const char* caption, void (TBaseActionInterface::*command)()) {
    auto* action = new QAction(caption, this);
    connect(action, &QAction::triggered, this, [this, command] {
        if (actions_ != nullptr)
            (actions_->*command)();
    });
    return action;
}

void TTopFrame::buildMenus() {
    QMenu* file = menuBar()->addMenu("File");
    QAction* open = addCommand("Open", &TBaseActionInterface::open);
    open->setIcon(glyphIcon(TGlyph::ToolOpen));
    file->addAction(open);
    save_ = addCommand("Save", &TBaseActionInterface::save);
    save_->setIcon(glyphIcon(TGlyph::ToolSave));
    save_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    // Ctrl+S saves from whichever window of the application has the focus.
    save_->setShortcutContext(Qt::ApplicationShortcut);
    addAction(save_);
    file->addAction(save_);
    file->addAction(addCommand("Save As...", &TBaseActionInterface::saveAs));
    file->addSeparator();
    QAction* exportMidi = addCommand("Export to (*.mid)", &TBaseActionInterface::exportToMidi);
    exportMidi->setIcon(glyphIcon(TGlyph::ToolExportMidi));
    file->addAction(exportMidi);
    file->addAction(
        addCommand("Export to MusicXML (*.musicxml)", &TBaseActionInterface::exportToMusicXml));

    QMenu* view = menuBar()->addMenu("View");
    view->addAction(addCommand("Editor", &TBaseActionInterface::showEditor));

    QMenu* tools = menuBar()->addMenu("Tools");
    QAction* devices = addCommand("Midi Devices...", &TBaseActionInterface::chooseMidiDevice);
    devices->setIcon(glyphIcon(TGlyph::ToolMidiDevice));
    tools->addAction(devices);

    QMenu* help = menuBar()->addMenu("Help");
    theory_ = addCommand("Theory", &TBaseActionInterface::theoryHelp);
    help->addAction(theory_);
    stepHelp_ = addCommand("Step-by-step", &TBaseActionInterface::stepByStepHelp);
    help->addAction(stepHelp_);
    QAction* about = addCommand("About", &TBaseActionInterface::about);
    about->setIcon(glyphIcon(TGlyph::ToolAbout));
    help->addAction(about);
}

void TTopFrame::buildToolArea() {
    const TMessageBundle& bundle = service_->messageBundle();
    auto* label = new QLabel(QString::fromStdString(bundle.text("temp")), toolArea_);
    tempoPanel_ = new TTempPanel(toolArea_, bundle);
    label->setGeometry(193, 5, 35, tempoPanel_->height());
    tempoPanel_->move(193 + 35, 5);
    tempoPanel_->setTempo(100);

    addToolButton(TOOL_SAVE, "save", glyphRect(TGlyph::ToolSave),
                  glyphRect(TGlyph::ToolSaveDisabled), QRect(5, 0, 28, 28));
    addToolButton(TOOL_OPEN, "open", glyphRect(TGlyph::ToolOpen),
                  glyphRect(TGlyph::ToolOpenDisabled), QRect(33, 0, 28, 28));
    addToolButton(TOOL_PLAY, "play", glyphRect(TGlyph::ToolPlayAll),
                  glyphRect(TGlyph::ToolPlayAllDisabled), QRect(110, 0, 27, 27));
    addToolButton(TOOL_STOP, "stop", glyphRect(TGlyph::ToolStop),
                  glyphRect(TGlyph::ToolStopDisabled), QRect(138, 0, 27, 27));

    // The help buttons show their caption; each runs the command of its menu item.
    addHelpButton(theory_, "Theory", "theory", QRect(858, 9, 52, 22));
    addHelpButton(stepHelp_, "Step by step", "step by step", QRect(910, 9, 79, 22));

    // The pace of the pointer previews of the variant view; it shows with that view.
    auto* delayLabel = new QLabel("VAZ cursor delay:", toolArea_);
    delayLabel->move(419, 0);
    cursorDelay_ = new QSlider(Qt::Horizontal, toolArea_);
    cursorDelay_->setGeometry(409, 16, 100, 25);
    cursorDelay_->setRange(1, 7);
    cursorDelay_->setSingleStep(1);
    cursorDelay_->setPageStep(1);
    cursorDelay_->setValue(4);
    cursorDelay_->setTickPosition(QSlider::TicksBelow);
    delayLabel->hide();
    cursorDelay_->hide();

    // The frame is already on the screen while the main window starts.
    label->show();
    tempoPanel_->show();
    for (TFlatButtonWithID* button : toolButtons_)
        button->show();
    for (QToolButton* button : helpButtons_)
        button->show();
}

void TTopFrame::addHelpButton(QAction* command, const char* caption, const char* hintKey,
                              QRect place) {
    auto* button = new QToolButton(toolArea_);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setGeometry(place);
    button->setToolTip(QString::fromStdString(service_->messageBundle().text(hintKey)));
    button->setToolTipDuration(10000);
    connect(button, &QToolButton::clicked, command, &QAction::trigger);
    helpButtons_.push_back(button);
}

void TTopFrame::addToolButton(int id, const char* hintKey, const TRect& glyph,
                              const TRect& disabled, QRect place) {
    auto* button = new TFlatButtonWithID(toolArea_, &toolGroup_, glyph, disabled, id);
    button->setGeometry(place);
    button->setToolTip(QString::fromStdString(service_->messageBundle().text(hintKey)));
    button->setToolTipDuration(10000);
    button->setListeners(this, nullptr);
    toolButtons_.push_back(button);
}

void TTopFrame::setCaption() {
    setWindowTitle(QString::fromStdString(service_->messageBundle().text("thetonaria")));
}

int TTopFrame::cursorDelayPosition() const {
    return cursorDelay_ != nullptr ? cursorDelay_->value() : 4;
}

void TTopFrame::buttonPressed(QWidget* button) {
    const auto* tool = dynamic_cast<TFlatButtonWithID*>(button);
    if (tool == nullptr || actions_ == nullptr)
        return;
    switch (tool->id()) {
    case TOOL_SAVE:
        actions_->save();
        break;
    case TOOL_OPEN:
        actions_->open();
        break;
    case TOOL_PLAY:
        actions_->playAll();
        break;
    case TOOL_STOP:
        actions_->stopPlay();
        break;
    default:
        break;
    }
}

void TTopFrame::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::quit();
}
