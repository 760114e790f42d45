#pragma once

#include <QAbstractButton>

#include <functional>
#include <string>

class QMimeData;
class TButtonListener;
class TMotivePanelBase;
class TPanelChooser;

// Decides on drops onto a chooser button (the group that the chooser belongs to).
class TChooserDropInterface {
public:
    virtual ~TChooserDropInterface() = default;
    virtual bool acceptsDrop(TPanelChooser* chooser, const QMimeData* data) = 0;
    virtual void dropped(TPanelChooser* chooser, const QMimeData* data) = 0;
};

// One button of the development area's chooser row: its caption, a drop mark that invites
// dropping a motive, and the panel it shows. Once pressed it stays sunken until its group
// presses another chooser; pressing a pressed chooser does nothing.
class TPanelChooser : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int HEIGHT = 20;

    // Gives the panel the chooser shows, building it when first asked for.
    using TPanelSource = std::function<TMotivePanelBase*()>;

    // `mode` is 1 for the "contrast" chooser and 0 for all others; `caption` and `hint` are
    // texts of the message bundle.
    TPanelChooser(QWidget* parent, const QString& caption, const QString& hint, TPanelSource panel,
                  int mode);

    TMotivePanelBase* panel() const { return panel_ ? panel_() : nullptr; }
    int mode() const { return mode_; }
    bool showsDropMark() const { return showsDropMark_; }
    bool isPressed() const { return isChecked(); }
    // Repaints; tells nobody.
    void setPressed(bool pressed);
    void setListener(TButtonListener* listener) { listener_ = listener; }
    void setDropInterface(TChooserDropInterface* drop);

    // Caption plus drop mark plus 8 pixels.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;
    // Enter and Return press the chooser as Space does (Space is the window's play key).
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TPanelSource panel_;
    int mode_;
    bool showsDropMark_ = true;
    TButtonListener* listener_ = nullptr;
    TChooserDropInterface* drop_ = nullptr;
};
