#pragma once

#include <QWidget>

#include <filesystem>

class QPushButton;
class QTextBrowser;
class TForHelpService;
class TPanelService;
class TPlayingService;

// "Step-by-step help": walks through the example period in eight steps. Each step shows its
// page, scrolls the period view to the motive it talks about and opens the panel that motive
// was made with, so the example, the explanation and the tool stand side by side. A window of
// its own that stays above the application; created once and reused. A step whose motive was
// made from schemes puts those schemes into the scheme panel, as its page tells. Interface
// thread only.
class TStepForm : public QWidget {
    Q_OBJECT
public:
    // The pages and the example lie in the "stepbystep" folder of `applicationFolder`. A step
    // stops the motive player of `playing` and selects its panel through `panels`.
    TStepForm(QWidget* owner, TForHelpService& help, TPlayingService& playing,
              TPanelService& panels, std::filesystem::path applicationFolder);

    // Places the window at the menu frame's right, opens the example and shows step 0. When
    // the example cannot be opened (the main window has said why) the window stays hidden.
    void start();
    int step() const { return step_; }

    QTextBrowser* pageView() const { return pages_; }
    QPushButton* previousButton() const { return previous_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* closeButton() const { return close_; }
    QPushButton* playMotiveButton() const { return playMotive_; }
    QPushButton* playPhraseButton() const { return playPhrase_; }
    QPushButton* playSentenceButton() const { return playSentence_; }
    QPushButton* playAllButton() const { return playAll_; }

private:
    void showStep();
    // The scheme panel shows the schemes the step's page says its motive was made from.
    void showSchemes();
    void moveBy(int delta);
    QPushButton* addButton(const QString& caption, const QString& hint);

    TForHelpService& help_;
    TPlayingService& playing_;
    TPanelService& panels_;
    std::filesystem::path applicationFolder_;
    int step_ = 0;
    QTextBrowser* pages_;
    QPushButton* previous_;
    QPushButton* next_;
    QPushButton* close_;
    QPushButton* playMotive_;
    QPushButton* playPhrase_;
    QPushButton* playSentence_;
    QPushButton* playAll_;
};
