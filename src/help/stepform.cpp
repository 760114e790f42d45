#include "help/stepform.h"

#include "canvas/baseservice.h"
#include "canvas/umotivecanvas.h"
#include "help/forhelpservice.h"
#include "help/helppages.h"
#include "help/stepschemes.h"
#include "panels/developmentarea.h"
#include "panels/panelchooser.h"
#include "panels/schemepanel.h"
#include "playback/motiveplayer.h"
#include "strip/periodpanelcells.h"

#include <QGridLayout>
#include <QPushButton>
#include <QTextBrowser>

namespace {

constexpr int FORM_WIDTH = 380;
constexpr int FORM_HEIGHT = 640;

} // namespace

TStepForm::TStepForm(QWidget* owner, TForHelpService& help, TPlayingService& playing,
                     TPanelService& panels, std::filesystem::path applicationFolder)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), help_(help), playing_(playing),
      panels_(panels), applicationFolder_(std::move(applicationFolder)),
      pages_(new QTextBrowser(this)) {
    setWindowTitle("Step-by-step help");
    setObjectName("stepForm");
    pages_->setOpenLinks(true);
    pages_->setOpenExternalLinks(false);

    previous_ = addButton("&Previous", "Go back to the previous step");
    next_ = addButton("&Next", "Go on to the next step");
    close_ = addButton("&Close", "Hide the step-by-step help");
    playMotive_ = addButton("Play &Motive", "Play the motive this step is about");
    playPhrase_ = addButton("Play P&hrase", "Play the phrase of this step's motive");
    playSentence_ = addButton("Play &Sentence", "Play the sentence of this step's motive");
    playAll_ = addButton("Play &All", "Play the whole period");

    auto* layout = new QGridLayout(this);
    layout->addWidget(pages_, 0, 0, 1, 4);
    layout->addWidget(playMotive_, 1, 0);
    layout->addWidget(playPhrase_, 1, 1);
    layout->addWidget(playSentence_, 1, 2);
    layout->addWidget(playAll_, 1, 3);
    layout->addWidget(previous_, 2, 0);
    layout->addWidget(next_, 2, 1);
    layout->addWidget(close_, 2, 3);
    // Settle the size before the first placement: the placement reads the width.
    ensurePolished();
    layout->activate();
    resize(QSize(FORM_WIDTH, FORM_HEIGHT).expandedTo(minimumSizeHint()));

    connect(previous_, &QPushButton::clicked, this, [this] { moveBy(-1); });
    connect(next_, &QPushButton::clicked, this, [this] { moveBy(1); });
    connect(close_, &QPushButton::clicked, this, &QWidget::hide);
    connect(playMotive_, &QPushButton::clicked, this, [this] { help_.playMotive(step_); });
    connect(playPhrase_, &QPushButton::clicked, this, [this] { help_.playPhrase(step_ / 2); });
    connect(playSentence_, &QPushButton::clicked, this, [this] { help_.playSentence(step_ / 4); });
    connect(playAll_, &QPushButton::clicked, this, [this] { help_.playPeriod(); });
}

QPushButton* TStepForm::addButton(const QString& caption, const QString& hint) {
    auto* button = new QPushButton(caption, this);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

void TStepForm::start() {
    if (!help_.openCopyFrom(
            helpFile(applicationFolder_, STEP_BY_STEP_FOLDER, STEP_EXAMPLE_FILE).toStdString()))
        return;
    step_ = 0;
    show();
    // Placed once shown, when the window's border is known.
    help_.placeAtMenuFrameRight(this);
    raise();
    showStep();
}

void TStepForm::moveBy(int delta) {
    const int next = step_ + delta;
    if (next < 0 || next >= STEP_COUNT)
        return;
    step_ = next;
    showStep();
}

void TStepForm::showStep() {
    const THelpStep& step = HELP_STEPS[std::size_t(step_)];
    playing_.motivePlayer().stop();
    pages_->setSource(helpPageUrl(applicationFolder_, STEP_BY_STEP_FOLDER, step.page));
    previous_->setEnabled(step_ >= 1);
    next_->setEnabled(step_ < STEP_COUNT - 1);
    help_.scrollToNode(step.node);
    if (step.sourceCell < 0) {
        panels_.selectPanel(step.chooser);
        showSchemes();
        return;
    }
    const std::vector<TUMotiveSet*> cells = help_.motiveCells();
    if (step.sourceCell < int(cells.size()))
        help_.chooseEffect(step.chooser, cells[std::size_t(step.sourceCell)]->canvas()->motive());
}

void TStepForm::showSchemes() {
    const std::optional<TStepSchemes> schemes = stepSchemes(step_);
    const TPanelChooser* chooser = help_.panelChooser(TDevelopmentArea::SCHEME_CHOOSER);
    auto* panel = chooser != nullptr ? qobject_cast<TSchemePanel*>(chooser->panel()) : nullptr;
    if (!schemes || panel == nullptr)
        return;
    if (schemes->contrastCell < 0) {
        panel->setSchemes(schemes->durations, STEP_DURATIONS_IN_ORDER, schemes->turns,
                          STEP_TURNS_IN_ORDER);
        return;
    }
    const std::vector<TUMotiveSet*> cells = help_.motiveCells();
    if (schemes->contrastCell >= int(cells.size()))
        return;
    panel->setSource(cells[std::size_t(schemes->contrastCell)]->canvas()->motive(),
                     TSchemePanel::CONTRAST_MODE);
    for (int command : schemes->contrastCommands)
        panel->pressCommand(command);
}
