#pragma once

#include "canvas/buttons.h"

#include <QMainWindow>

#include <vector>

class QAction;
class QSlider;
class QToolButton;
class TBaseActionInterface;
class TBaseService;
class TTempPanel;

// Ids of the tool buttons; the listener runs the command of an id.
inline constexpr int TOOL_SAVE = 1;
inline constexpr int TOOL_OPEN = 2;
inline constexpr int TOOL_PLAY = 3;
inline constexpr int TOOL_STOP = 4;

// The menu frame: a strip across the top of the screen with the main menu, the tool buttons
// and the tempo control. Every command calls the main window through TBaseActionInterface;
// the frame holds no document state. Closing it ends the application.
class TTopFrame : public QMainWindow, public TButtonListener {
    Q_OBJECT
public:
    TTopFrame();
    ~TTopFrame() override;

    // Called by the main window's constructor in this order, before any command can run.
    void setService(TBaseService* service) { service_ = service; }
    void setActions(TBaseActionInterface* actions) { actions_ = actions; }
    // Both take their texts from the service's bundle.
    void buildToolArea();
    void setCaption();

    TTempPanel* tempoPanel() const { return tempoPanel_; }
    // 1 to 7.
    int cursorDelayPosition() const;
    QSlider* cursorDelay() const { return cursorDelay_; }
    const std::vector<TFlatButtonWithID*>& toolButtons() const { return toolButtons_; }
    // The menu actions by their command, for the shortcut and for tests.
    QAction* saveAction() const { return save_; }
    QAction* theoryAction() const { return theory_; }
    QAction* stepHelpAction() const { return stepHelp_; }
    // The "theory" and "step by step" tool buttons, in that order.
    const std::vector<QToolButton*>& helpButtons() const { return helpButtons_; }

    void buttonPressed(QWidget* button) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addCommand(const char* caption, void (TBaseActionInterface::*command)());
    void buildMenus();
    void addToolButton(int id, const char* hintKey, const TRect& glyph, const TRect& disabled,
                       QRect place);
    void addHelpButton(QAction* command, const char* caption, const char* hintKey, QRect place);

    TBaseService* service_ = nullptr;
    TBaseActionInterface* actions_ = nullptr;
    QWidget* toolArea_;
    TTempPanel* tempoPanel_ = nullptr;
    QSlider* cursorDelay_ = nullptr;
    TFlatGroup toolGroup_;
    std::vector<TFlatButtonWithID*> toolButtons_;
    std::vector<QToolButton*> helpButtons_;
    QAction* save_ = nullptr;
    QAction* theory_ = nullptr;
    QAction* stepHelp_ = nullptr;
};
