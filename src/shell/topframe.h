#pragma once

#include "model/glyphatlas.h"
#include "widgets/buttons.h"

#include <QMainWindow>

#include <map>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QSlider;
class QToolButton;
class TBaseActionInterface;
class TBaseService;
class TTempPanel;

// The menu frame: a strip across the top of the screen with the main menu, the tool buttons
// and the tempo control. Every command is one QAction, named by the bundle key of its caption,
// that calls the main window through TBaseActionInterface; a menu item and a tool button of
// the same command share it. The frame holds no document state. Closing it ends the application,
// unless the main window keeps it running for unsaved work.
//
// A new command is one call of addCommand (its caption key, with the mnemonic in the bundle
// text, and its operation) and one addAction into its menu in buildMenus; a setting that is
// switched on and off is one call of addToggle.
class TTopFrame : public QMainWindow {
    Q_OBJECT
public:
    TTopFrame();
    ~TTopFrame() override;

    // Called by the main window's constructor in this order, before any command can run.
    void setService(TBaseService* service) { service_ = service; }
    void setActions(TBaseActionInterface* actions) { actions_ = actions; }
    // Builds the tool buttons and the tempo control and gives every caption its bundle text.
    void buildToolArea();
    void setCaption();
    // The menus' Alt+letter keys work from `window` as well: the two windows work as one.
    void shareMenuKeys(QWidget& window);
    // The frame is as wide as the main window below it.
    void followWidth(int width);

    TTempPanel* tempoPanel() const { return tempoPanel_; }
    // 1 to 7.
    int cursorDelayPosition() const;
    QSlider* cursorDelay() const { return cursorDelay_; }
    const std::vector<TFlatButtonWithID*>& toolButtons() const { return toolButtons_; }
    // The command whose caption has bundle key `key` ("menu save", "play", ...), or null.
    QAction* command(const std::string& key) const;
    QAction* saveAction() const { return command("menu save"); }
    QAction* newAction() const { return command("menu new"); }
    QAction* theoryAction() const { return command("menu theory"); }
    QAction* stepHelpAction() const { return command("menu step by step"); }
    // Checkable; the main window sets its state from the settings file.
    QAction* schoolHarmonyAction() const { return command("menu school harmony"); }
    // The "theory" and "step by step" tool buttons, in that order.
    const std::vector<QToolButton*>& helpButtons() const { return helpButtons_; }
    // The seven demonstration buttons: demo1, demo3 to demo8.
    const std::vector<QToolButton*>& demoButtons() const { return demoButtons_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Space plays or stops and Escape stops, unless the focused control took the key.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAction* addCommand(const char* captionKey, void (TBaseActionInterface::*run)(),
                        const QKeySequence& shortcut = {});
    QMenu* addMenu(const char* captionKey);
    // A checkable command that hands its new state to `set` whenever it changes.
    QAction* addToggle(const char* captionKey, void (TBaseActionInterface::*set)(bool));
    void buildMenus();
    // File > Open Recent, numbered, with each composition's whole path as its tip.
    void fillRecentMenu(QMenu& menu);
    void applyTexts();
    void addToolButton(int id, const char* hintKey, const char* commandKey, const TRect& glyph,
                       const TRect& disabled, QRect place);
    QToolButton* addHelpButton(QAction* command, const char* caption, const char* hintKey,
                               QRect place);

    TBaseService* service_ = nullptr;
    TBaseActionInterface* actions_ = nullptr;
    QWidget* toolArea_;
    TTempPanel* tempoPanel_ = nullptr;
    QSlider* cursorDelay_ = nullptr;
    TFlatGroup toolGroup_;
    std::vector<TFlatButtonWithID*> toolButtons_;
    std::vector<QToolButton*> helpButtons_;
    std::vector<QToolButton*> demoButtons_;
    // Commands and menus by the bundle key of their captions.
    std::map<std::string, QAction*> commands_;
    std::map<std::string, QMenu*> menus_;
};

// Space and Escape as both windows handle them: true when `key` was one of them.
bool handlePlayKey(int key, TBaseActionInterface* actions);

// `action` gets the icon of `glyph` when `menu` first opens: the start draws no menu icons.
void iconWhenShown(QMenu& menu, QAction& action, TGlyph glyph);
