// The help commands of the main window: the step-by-step help over the installed example and
// the theory page, with a recording MIDI back end.

#include "shelltesting.h"

#include "canvas/umotivecanvas.h"
#include "engine/schemecommand.h"
#include "help/helppages.h"
#include "help/stepform.h"
#include "help/stepschemes.h"
#include "help/theoryform.h"
#include "panels/developmentarea.h"
#include "panels/effectmotivepanel.h"
#include "panels/gatherer.h"
#include "panels/panelchooser.h"
#include "panels/rythmset.h"
#include "panels/schemepanel.h"
#include "panels/turnroundset.h"
#include "playback/recordingbackend.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"
#include "strip/periodpanel.h"

#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

namespace fs = std::filesystem;

class StepHelp : public ::testing::Test {
protected:
    void SetUp() override {
        // The window's application folder gets the help folders the build installed.
        for (const char* folder : {"stepbystep", "theoryhelp"})
            fs::copy(fs::path(TONARIA_APP_DIR) / folder, folder_ / folder,
                     fs::copy_options::recursive);
        window_ = std::make_unique<TMainWindow>(frame_, devices_, folder_.path(), &dialogs_);
    }

    TTempFolder folder_;
    TRecordingBackend devices_{2};
    TScriptedDialogs dialogs_;
    TTopFrame frame_;
    std::unique_ptr<TMainWindow> window_;
};

TEST_F(StepHelp, UnsavedWorkIsOfferedForSavingAndCancelKeepsIt) {
    window_->period().allMotives()[0]->notes().emplace_back(0, 20, 120);
    window_->stepByStepHelp();
    ASSERT_EQ(dialogs_.saveQuestions.size(), 1u);
    EXPECT_EQ(window_->stepForm(), nullptr);
    EXPECT_EQ(window_->period().allMotives()[0]->notes().size(), 1u);
}

TEST_F(StepHelp, StartOpensTheExampleAtStepZeroBesideTheMenuFrame) {
    window_->stepByStepHelp();
    TStepForm* form = window_->stepForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->step(), 0);
    EXPECT_EQ(form->pageView()->source().fileName(), "step1.html");
    EXPECT_FALSE(form->pageView()->toPlainText().isEmpty());
    EXPECT_EQ(form->frameGeometry().right(), frame_.frameGeometry().right());
    EXPECT_EQ(window_->period().motiveCount(), 8);
    // The example is an untitled copy: Save asks for a name instead of writing over it.
    EXPECT_EQ(window_->period().name(), "Untitled");
    EXPECT_EQ(window_->motiveCellCount(), 8);
    EXPECT_TRUE(dialogs_.messages.empty());
    window_->save();
    EXPECT_EQ(dialogs_.fileChoices.size(), 1u);
}

TEST_F(StepHelp, StartingAgainFromStepFiveReopensTheExampleAtStepZero) {
    window_->stepByStepHelp();
    TStepForm* form = window_->stepForm();
    for (int k = 0; k < 5; ++k)
        QTest::mouseClick(form->nextButton(), Qt::LeftButton);
    ASSERT_EQ(form->step(), 5);
    window_->period().allMotives()[0]->clearNotes();
    dialogs_.saveAnswers = {TSaveChangesAnswer::Discard};
    window_->stepByStepHelp();
    EXPECT_EQ(dialogs_.saveQuestions.size(), 1u);
    EXPECT_EQ(window_->stepForm(), form);
    EXPECT_EQ(form->step(), 0);
    EXPECT_FALSE(window_->period().allMotives()[0]->notes().empty());
}

TEST_F(StepHelp, EachStepOpensThePanelItsMotiveWasMadeWith) {
    window_->stepByStepHelp();
    TStepForm* form = window_->stepForm();
    const TDevelopmentArea& area = *window_->developmentArea();
    for (int k = 0; k < STEP_COUNT; ++k) {
        ASSERT_EQ(form->step(), k);
        const THelpStep& step = HELP_STEPS[std::size_t(k)];
        const TPanelChooser* chooser = area.panelChooser(step.chooser);
        ASSERT_NE(chooser, nullptr) << "step " << k;
        EXPECT_TRUE(chooser->isPressed()) << "step " << k;
        EXPECT_EQ(area.shownPanel(), chooser->panel()) << "step " << k;
        // Steps made with the schemes or the contrast commands open the scheme panel.
        if (step.chooser <= TDevelopmentArea::CONTRAST_CHOOSER) {
            EXPECT_EQ(area.shownPanel(), window_->schemePanel()) << "step " << k;
            EXPECT_TRUE(window_->schemePanel()->isVisibleTo(window_.get())) << "step " << k;
        }
        if (step.sourceCell >= 0) {
            // The panel develops the motive of the step's cell, and shows its variants.
            const TEffectMotivePanel* panel = area.effectPanelOfChooser(step.chooser);
            ASSERT_NE(panel, nullptr) << "step " << k;
            EXPECT_TRUE(panel->hasSource()) << "step " << k;
            const TMotive& cell = *window_->period().allMotives()[std::size_t(step.sourceCell)];
            EXPECT_EQ(panel->source().notes(), cell.notes()) << "step " << k;
            // "Repeat" and "Rel. Repeat" give the motive back as their first variant; the
            // second variant of "Rel. Other", backwards, gives the first motive.
            const TMotive& expected =
                step.chooser == 15 ? *window_->period().allMotives()[0] : cell;
            const int variant = step.chooser == 15 ? 1 : 0;
            EXPECT_EQ(panel->variant(variant).notes(), expected.notes()) << "step " << k;
        }
        QTest::mouseClick(form->nextButton(), Qt::LeftButton);
    }
}

TEST_F(StepHelp, EachStepMadeFromSchemesShowsThemInTheSchemePanel) {
    window_->stepByStepHelp();
    TStepForm* form = window_->stepForm();
    TSchemePanel& panel = *window_->schemePanel();
    const TScheme& scheme = window_->scheme();
    int shown = 0;
    for (int k = 0; k < STEP_COUNT; ++k) {
        SCOPED_TRACE("step " + std::to_string(k + 1));
        ASSERT_EQ(form->step(), k);
        const std::optional<TStepSchemes> schemes = stepSchemes(k);
        const TRythmGatherer& rhythm = *panel.rythmSet()->rythmGatherer();
        const TTurnRoundGatherer& turns = *panel.pitchSet()->turnGatherer();
        if (schemes && schemes->contrastCell < 0) {
            ++shown;
            EXPECT_EQ(window_->developmentArea()->shownPanel(), &panel);
            EXPECT_EQ(rhythm.values(), schemes->durations);
            EXPECT_EQ(rhythm.mode(), TGroup::SEQUENCE) << "the rhythm in order";
            std::vector<TURN_ROUND> expected = schemes->turns;
            std::vector<TURN_ROUND> gathered = turns.values();
            std::sort(expected.begin(), expected.end());
            std::sort(gathered.begin(), gathered.end());
            EXPECT_EQ(gathered, expected);
            EXPECT_EQ(turns.mode(), TGroup::SET) << "the turns as a set";
            EXPECT_EQ(panel.rythmSet()->pressedButton(), nullptr);
            EXPECT_EQ(panel.pitchSet()->pressedButton(), nullptr);
        } else if (schemes) {
            ++shown;
            // Motive 1 is the Motive for Contrast of both sets, and the contrast buttons
            // have answered with long durations and large turns, their categories lit.
            const TMotive& first = *window_->period().allMotives()[0];
            EXPECT_EQ(scheme.rhythmContrastMotive().notes(), first.notes());
            EXPECT_EQ(scheme.pitchContrastMotive().notes(), first.notes());
            ASSERT_NE(panel.rythmSet()->pressedButton(), nullptr);
            EXPECT_EQ(panel.rythmSet()->pressedButton()->id(), LONG_DURATIONS);
            ASSERT_NE(panel.pitchSet()->pressedButton(), nullptr);
            EXPECT_EQ(panel.pitchSet()->pressedButton()->id(), LARGE_TURNS);
            // The notes are long; a rest may fill what is left of the measure.
            ASSERT_FALSE(rhythm.values().empty());
            for (DURATION d : rhythm.values())
                EXPECT_TRUE(d < 0 || d >= QUARTER) << d;
            ASSERT_FALSE(turns.values().empty());
            for (TURN_ROUND turn : turns.values())
                EXPECT_TRUE(isLargeTurn(turn)) << int(turn);
        }
        QTest::mouseClick(form->nextButton(), Qt::LeftButton);
    }
    EXPECT_EQ(shown, 4) << "steps 1, 2, 4 and 8 tell of schemes";
}

TEST_F(StepHelp, TheSecondStepsContrastCommandsAnswerAsItsPageSays) {
    window_->stepByStepHelp();
    TStepForm* form = window_->stepForm();
    QTest::mouseClick(form->nextButton(), Qt::LeftButton);
    TSchemePanel& panel = *window_->schemePanel();
    ASSERT_EQ(window_->developmentArea()->shownPanel(), &panel);
    // Motive 1 dropped on "Contrast", then the contrast buttons of "short / long durations"
    // and "turns from small / large intervals": long durations and large turns come back lit.
    panel.setSource(*window_->period().allMotives()[0], TSchemePanel::CONTRAST_MODE);
    TRythmSet& rhythm = *panel.rythmSet();
    QTest::mouseClick(rhythm.buttonOfCommand(CONTRAST_SHORT_LONG), Qt::LeftButton);
    ASSERT_NE(rhythm.pressedButton(), nullptr);
    EXPECT_EQ(rhythm.pressedButton()->id(), LONG_DURATIONS);
    TTurnRoundSet& pitch = *panel.pitchSet();
    QTest::mouseClick(pitch.buttonOfCommand(CONTRAST_SMALL_LARGE_TURNS), Qt::LeftButton);
    ASSERT_NE(pitch.pressedButton(), nullptr);
    EXPECT_EQ(pitch.pressedButton()->id(), LARGE_TURNS);
}

TEST_F(StepHelp, PlayButtonsPlayTheirPartOfThePeriod) {
    window_->stepByStepHelp();
    TStepForm* form = window_->stepForm();
    for (int k = 0; k < 3; ++k)
        QTest::mouseClick(form->nextButton(), Qt::LeftButton);
    // At step 3 (motive 4): the motive alone, phrase 1 (motives 3 and 4), sentence 0 (motives
    // 1 to 4) and the whole period are queued on the player.
    const std::vector<std::pair<QPushButton*, int>> plays{{form->playMotiveButton(), 1},
                                                          {form->playPhraseButton(), 2},
                                                          {form->playSentenceButton(), 4},
                                                          {form->playAllButton(), 8}};
    for (const auto& [button, motives] : plays) {
        window_->stopPlay();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(window_->motivePlayer().isPlaying()) << button->text().toStdString();
        EXPECT_EQ(window_->motivePlayer().queuedCount(), motives) << button->text().toStdString();
    }
    QTest::mouseClick(form->nextButton(), Qt::LeftButton);
    EXPECT_FALSE(window_->motivePlayer().isPlaying()) << "every step stops the player";
}

TEST_F(StepHelp, AMissingExampleIsReportedAndTheWindowStaysHidden) {
    fs::remove(folder_ / "stepbystep" / "step8.tnr");
    window_->stepByStepHelp();
    ASSERT_NE(window_->stepForm(), nullptr);
    EXPECT_FALSE(window_->stepForm()->isVisible());
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].caption, "Error");
}

TEST_F(StepHelp, TheoryIsCreatedOnceAndShownBesideTheMenuFrame) {
    window_->theoryHelp();
    TTheoryForm* form = window_->theoryForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->pageView()->source().fileName(), "theory.html");
    form->hide();
    window_->theoryHelp();
    EXPECT_EQ(window_->theoryForm(), form);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(StepHelp, MenuItemsAndToolButtonsRunTheHelpCommands) {
    ASSERT_EQ(frame_.helpButtons().size(), 2u);
    EXPECT_EQ(frame_.helpButtons()[0]->toolTip(), "Display theory");
    EXPECT_EQ(frame_.helpButtons()[1]->toolTip(), "Display step-by-step help");
    QTest::mouseClick(frame_.helpButtons()[0], Qt::LeftButton);
    ASSERT_NE(window_->theoryForm(), nullptr);
    frame_.stepHelpAction()->trigger();
    ASSERT_NE(window_->stepForm(), nullptr);
    EXPECT_TRUE(window_->stepForm()->isVisible());
}

} // namespace
