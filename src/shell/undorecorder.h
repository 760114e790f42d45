#pragma once

#include "files/periodchange.h"

#include <QObject>
#include <QTimer>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class TMotive;
class TUMotiveCanvas;

// One state of the composition as an undo step puts it back: its document and its name.
struct TPeriodSnapshot {
    std::string document;
    std::string name;
    // The document last saved, opened or built, as it was in this state.
    std::string saved;
    // The period itself, which restores without being read again.
    std::shared_ptr<const TPeriodData> period;
};

// Undo and Redo over the whole composition. Whatever changes the period tells the recorder
// (documentTouched, from the one place the main window marks the document modified); once the
// event loop is back and no choice or pointer press is in progress, the change becomes one step
// of the stack that holds the document before and after it, named after what the user's hand
// was doing when it began (a press on a cell in some mode, a drop, the fast menu) and what
// changed. Undoing and redoing put the motives back into the cells, each cell keeping the
// motive it showed as an earlier version, so that its own back and forward buttons go on
// working; a step that changed the period's shape (New) replaces the period whole.
// Interface thread only.
class TUndoRecorder : public QObject {
    Q_OBJECT
public:
    // The strip's canvas of a motive of the period, or null.
    using TCanvasOf = std::function<TUMotiveCanvas*(const TMotive*)>;
    // True while a change may still be going on (a choice, a pressed button).
    using TBusy = std::function<bool()>;

    // The steps kept; each holds the composition twice, so a long session must not keep all.
    static constexpr int UNDO_LIMIT = 100;

    TUndoRecorder(TPeriodData& period, TCanvasOf canvasOf, TBusy busy, QObject* parent = nullptr);
    ~TUndoRecorder() override;

    QUndoStack& stack() { return stack_; }
    // The window whose controls count as the fast menu.
    void setFastMenu(QObject* fastMenu) { fastMenu_ = fastMenu; }
    // The actions show "Undo <step>" / "Redo <step>" after `undoWord` / `redoWord` and are
    // enabled while there is a step to take.
    void bindActions(QAction* undo, QAction* redo, const QString& undoWord,
                     const QString& redoWord);

    // Told the document last saved, opened or built whenever an undo or redo brings another
    // one back (a step over New).
    void setSavedListener(std::function<void(const std::string&)> listener) {
        savedListener_ = std::move(listener);
    }

    // The period may have changed.
    void documentTouched();
    // Records a change made since the last step now. False (and nothing recorded yet) while a
    // change may still be going on.
    bool settle();
    // The next change recorded gets this name.
    void nameNext(const std::string& name) { pendingName_ = name; }
    // Puts the motives and tempo of `target` (the period as a command left it) into the period
    // as one step named `name`; a target of another shape replaces the period.
    void apply(const TPeriodData& target, const std::string& name);
    // A composition was opened: the steps before it are forgotten and it is the clean state.
    void reset();
    // The period was saved or built: its state is the clean one.
    void markClean();
    // While a demonstration works on the period nothing is recorded and the steps wait; resume
    // is called once the composition they belong to is back.
    void pause();
    void resume();
    // Each records a change still pending first; nothing happens while one may be going on.
    void undo();
    void redo();

    // For the steps: makes the period the snapshot's (with its name when `withName`).
    void restore(const TPeriodSnapshot& snapshot, bool withName);

protected:
    // Remembers where a change begins: a press on a cell or the fast menu, a drop on a cell.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void noteOrigin(QObject* receiver, QEvent* event);
    void putBack(const TPeriodData& target);
    TPeriodSnapshot snapshot() const;

    TPeriodData& period_;
    TCanvasOf canvasOf_;
    TBusy busy_;
    QObject* fastMenu_ = nullptr;
    QUndoStack stack_;
    QTimer settleTimer_;
    TPeriodSnapshot current_;
    std::function<void(const std::string&)> savedListener_;
    std::optional<std::string> pendingName_;
    TChangeOrigin origin_ = TChangeOrigin::Unknown;
    std::string dropSource_;
    bool restoring_ = false;
    bool paused_ = false;
};
