// The step-by-step window and the theory window, driven through fake services that record
// what the forms ask of the main window.

#include "../canvas/fakecanvasservice.h"

#include "help/forhelpservice.h"
#include "help/helppages.h"
#include "help/stepform.h"
#include "help/theoryform.h"

#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the help service calls; motive cells are left out (the main-window tests cover them),
// so a step with a source cell opens nothing.
class TRecordingHelp : public TForHelpService {
public:
    std::vector<TUMotiveSet*> motiveCells() override { return {}; }
    bool saveTo(const std::string&) override { return false; }
    // An example opened under its own name would be saved over.
    bool openFrom(const std::string& name) override {
        opened.push_back("under its own name: " + name);
        return openSucceeds;
    }
    bool openCopyFrom(const std::string& name) override {
        opened.push_back(name);
        return openSucceeds;
    }
    QWidget* mainWindowControl() override { return nullptr; }
    void enableInput(bool) override {}
    void enableMainWindow(bool) override {}
    void markPlaying() override {}
    bool playFinished() override { return true; }
    void placeAtMenuFrameLeft(QWidget*) override {}
    void placeAtMenuFrameRight(QWidget* control) override { control->move(600, 0); }
    QWidget* fastMenuControl(int) override { return nullptr; }
    TUMotiveCanvas* fastMenuAnchor() override { return nullptr; }
    TRealButton* modeButton(int) override { return nullptr; }
    QWidget* phraseNode(int) override { return nullptr; }
    int selectedPanel() override { return -1; }
    int canvasMode() override { return 0; }
    void chooseCanvasMode(int) override {}
    TPanelChooser* panelChooser(int) override { return nullptr; }
    TFlatButtonWithID* sequenceUpPlayButton() override { return nullptr; }
    TUMotiveCanvas* sequenceUpCanvas() override { return nullptr; }
    TUMotiveCanvas* relSequenceUpCanvas() override { return nullptr; }
    TDragged* sequenceUpHandle() override { return nullptr; }
    TDragged* relSequenceUpHandle() override { return nullptr; }
    QWidget* rhythmGatherer() override { return nullptr; }
    QWidget* pitchGatherer() override { return nullptr; }
    QWidget* rhythmDeleter() override { return nullptr; }
    TDragged* rhythmItemHandle(int) override { return nullptr; }
    TDragged* pitchItemHandle(int) override { return nullptr; }
    QWidget* rhythmModeChooser() override { return nullptr; }
    QWidget* pitchDeleter() override { return nullptr; }
    QWidget* rhythmContrastFigure() override { return nullptr; }
    TGroupButton* rhythmGathererItem(int) override { return nullptr; }
    TDragged* rhythmGathererEntry(int) override { return nullptr; }
    QWidget* rhythmShowButton() override { return nullptr; }
    void scrollToNode(int n) override { calls.push_back("scroll " + std::to_string(n)); }
    void chooseEffect(int index, const TMotive&) override {
        calls.push_back("effect " + std::to_string(index));
    }
    void playPeriod() override { calls.push_back("play period"); }
    void playMotive(int n) override { calls.push_back("play motive " + std::to_string(n)); }
    void playSentence(int n) override { calls.push_back("play sentence " + std::to_string(n)); }
    void playPhrase(int n) override { calls.push_back("play phrase " + std::to_string(n)); }
    TVariantView* variantView() override { return nullptr; }
    void refreshVariantView() override {}
    void setVariantViewFlag(bool) override {}
    QWidget* pitchModeChooser() override { return nullptr; }
    QWidget* pitchContrastFigure() override { return nullptr; }
    QWidget* schemeCommandButton(int) override { return nullptr; }
    bool setAsideTo(const std::string&) override { return false; }
    bool takeBackFrom(const std::string&) override { return false; }

    bool openSucceeds = true;
    std::vector<std::string> opened;
    std::vector<std::string> calls;
};

// Records the panels the steps select.
class TRecordingPanels : public TPanelService {
public:
    void takeRhythmFrom(const TMotive&) override {}
    void takePitchFrom(const TMotive&) override {}
    void contrastMotivesChanged() override {}
    void selectPanel(int index) override { selected.push_back(index); }
    void fastMenuNext(int) override {}
    void fastMenuPrevious(int) override {}
    int motiveCellCount() override { return 0; }
    std::vector<int> selected;
};

class StepForm : public ::testing::Test {
protected:
    TFakeCanvasService service;
    TRecordingPanels panels;
    TRecordingHelp help;
    TStepForm form{nullptr, help, service, panels, TONARIA_APP_DIR};

    std::string shownPage() const { return form.pageView()->source().fileName().toStdString(); }
};

TEST_F(StepForm, StartOpensTheExampleAndShowsTheFirstStep) {
    form.start();
    ASSERT_EQ(help.opened.size(), 1u);
    EXPECT_EQ(std::filesystem::path(help.opened[0]),
              std::filesystem::path(TONARIA_APP_DIR) / "stepbystep" / "step8.tnr");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.pos(), QPoint(600, 0));
    EXPECT_EQ(form.windowTitle(), "Step-by-step help");
    EXPECT_EQ(form.step(), 0);
    EXPECT_EQ(shownPage(), "step1.html");
    EXPECT_FALSE(form.previousButton()->isEnabled());
    EXPECT_TRUE(form.nextButton()->isEnabled());
    EXPECT_EQ(help.calls, (std::vector<std::string>{"scroll 2"}));
    EXPECT_EQ(panels.selected, (std::vector<int>{0}));
}

TEST_F(StepForm, AnExampleThatCannotBeOpenedKeepsTheWindowHidden) {
    help.openSucceeds = false;
    form.start();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(help.calls.empty());
}

TEST_F(StepForm, NextWalksTheStepTableAndStopsAtTheLastStep) {
    form.start();
    for (int k = 1; k < STEP_COUNT; ++k)
        QTest::mouseClick(form.nextButton(), Qt::LeftButton);
    EXPECT_EQ(form.step(), 7);
    EXPECT_EQ(shownPage(), "step8.html");
    EXPECT_FALSE(form.nextButton()->isEnabled());
    EXPECT_TRUE(form.previousButton()->isEnabled());
    // Steps with a source cell open nothing when the cell is missing; the others select
    // their chooser.
    EXPECT_EQ(help.calls,
              (std::vector<std::string>{"scroll 2", "scroll 4", "scroll 5", "scroll 7", "scroll 8",
                                        "scroll 11", "scroll 12", "scroll 14"}));
    EXPECT_EQ(panels.selected, (std::vector<int>{0, 1, 0, 0}));

    QTest::mouseClick(form.previousButton(), Qt::LeftButton);
    EXPECT_EQ(form.step(), 6);
    EXPECT_EQ(shownPage(), "step7.html");
    EXPECT_TRUE(form.nextButton()->isEnabled());
}

TEST_F(StepForm, PlayButtonsPlayTheMotivePhraseAndSentenceOfTheStep) {
    form.start();
    for (int k = 0; k < 3; ++k)
        QTest::mouseClick(form.nextButton(), Qt::LeftButton);
    help.calls.clear();
    QTest::mouseClick(form.playMotiveButton(), Qt::LeftButton);
    QTest::mouseClick(form.playPhraseButton(), Qt::LeftButton);
    QTest::mouseClick(form.playSentenceButton(), Qt::LeftButton);
    QTest::mouseClick(form.playAllButton(), Qt::LeftButton);
    EXPECT_EQ(help.calls, (std::vector<std::string>{"play motive 3", "play phrase 1",
                                                    "play sentence 0", "play period"}));
}

TEST_F(StepForm, StartingAgainBeginsAtTheFirstStepWithTheExampleReopened) {
    form.start();
    for (int k = 0; k < 5; ++k)
        QTest::mouseClick(form.nextButton(), Qt::LeftButton);
    ASSERT_EQ(form.step(), 5);
    QTest::mouseClick(form.closeButton(), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    form.start();
    EXPECT_EQ(form.step(), 0);
    EXPECT_EQ(help.opened.size(), 2u);
    EXPECT_EQ(shownPage(), "step1.html");
    EXPECT_TRUE(form.isVisible());
}

TEST_F(StepForm, EveryControlHasAHint) {
    for (QPushButton* button :
         {form.previousButton(), form.nextButton(), form.closeButton(), form.playMotiveButton(),
          form.playPhraseButton(), form.playSentenceButton(), form.playAllButton()})
        EXPECT_FALSE(button->toolTip().isEmpty()) << button->text().toStdString();
}

TEST(TheoryForm, ShowsTheTheoryPageAndHidesOnClose) {
    ensureWidgetApplication();
    TRecordingHelp help;
    TTheoryForm form(nullptr, help, TONARIA_APP_DIR);
    form.showTheory();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Theory");
    EXPECT_EQ(form.pos(), QPoint(600, 0));
    EXPECT_EQ(form.pageView()->source().fileName(), "theory.html");
    EXPECT_FALSE(form.pageView()->toPlainText().isEmpty());
    QTest::mouseClick(form.closeButton(), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    form.showTheory();
    EXPECT_TRUE(form.isVisible());
}

} // namespace
