#pragma once

#include <QWidget>

#include <filesystem>

class QPushButton;
class QTextBrowser;
class TForHelpService;

// "Theory": the theory page in a window of its own, created once and reused.
// Interface thread only.
class TTheoryForm : public QWidget {
    Q_OBJECT
public:
    // The page lies in the "theoryhelp" folder of `applicationFolder`.
    TTheoryForm(QWidget* owner, TForHelpService& help, std::filesystem::path applicationFolder);

    // Places the window at the menu frame's right, loads the page afresh and shows it.
    void showTheory();

    QTextBrowser* pageView() const { return page_; }
    QPushButton* closeButton() const { return close_; }

private:
    TForHelpService& help_;
    std::filesystem::path applicationFolder_;
    QTextBrowser* page_;
    QPushButton* close_;
};
