#include "shell/undorecorder.h"

#include "canvas/umotivecanvas.h"
#include "files/periodwriter.h"
#include "panels/effectmotivepanel.h"
#include "widgets/dragged.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMouseEvent>
#include <QUndoCommand>

namespace {

// How long a change that may still be going on waits before it is looked at again.
constexpr int BUSY_RETRY_MS = 50;
const QString TEMPO_STEP = QStringLiteral("Change Tempo");

// One change of the composition: the document before and after it. The first redo, when the
// step is pushed, finds the change made already.
class TSnapshotCommand : public QUndoCommand {
public:
    TSnapshotCommand(TUndoRecorder& recorder, TPeriodSnapshot before, TPeriodSnapshot after,
                     bool withName, const std::string& name)
        : QUndoCommand(QString::fromStdString(name)), recorder_(recorder),
          before_(std::move(before)), after_(std::move(after)), withName_(withName) {}

    // Steps of the tempo alone that follow each other (the tempo control's steps) are one.
    int id() const override { return text() == TEMPO_STEP ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const TSnapshotCommand*>(other);
        if (next->withName_ || withName_)
            return false;
        after_ = next->after_;
        return true;
    }

    void undo() override { recorder_.restore(before_, withName_); }
    void redo() override {
        if (std::exchange(first_, false))
            return;
        recorder_.restore(after_, withName_);
    }

private:
    TUndoRecorder& recorder_;
    TPeriodSnapshot before_;
    TPeriodSnapshot after_;
    bool withName_;
    bool first_ = true;
};

template <class T> T* ancestorOf(QObject* object) {
    for (; object != nullptr; object = object->parent())
        if (auto* found = qobject_cast<T*>(object))
            return found;
    return nullptr;
}

} // namespace

TUndoRecorder::TUndoRecorder(TPeriodData& period, TCanvasOf canvasOf, TBusy busy, QObject* parent)
    : QObject(parent), period_(period), canvasOf_(std::move(canvasOf)),
      busy_(std::move(busy)), current_{periodDocument(period), period.name(),
                                       periodDocument(period),
                                       std::make_shared<const TPeriodData>(period)} {
    stack_.setUndoLimit(UNDO_LIMIT);
    settleTimer_.setSingleShot(true);
    connect(&settleTimer_, &QTimer::timeout, this, [this] { settle(); });
    qApp->installEventFilter(this);
}

TUndoRecorder::~TUndoRecorder() {
    qApp->removeEventFilter(this);
}

void TUndoRecorder::bindActions(QAction* undo, QAction* redo, const QString& undoWord,
                                const QString& redoWord) {
    const auto label = [](const QString& word, const QString& step) {
        return step.isEmpty() ? word : word + ' ' + step;
    };
    connect(&stack_, &QUndoStack::undoTextChanged, undo,
            [=](const QString& step) { undo->setText(label(undoWord, step)); });
    connect(&stack_, &QUndoStack::redoTextChanged, redo,
            [=](const QString& step) { redo->setText(label(redoWord, step)); });
    connect(&stack_, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&stack_, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    undo->setText(label(undoWord, stack_.undoText()));
    redo->setText(label(redoWord, stack_.redoText()));
    undo->setEnabled(stack_.canUndo());
    redo->setEnabled(stack_.canRedo());
}

TPeriodSnapshot TUndoRecorder::snapshot() const {
    return {periodDocument(period_), period_.name(), current_.saved,
            std::make_shared<const TPeriodData>(period_)};
}

void TUndoRecorder::documentTouched() {
    if (!restoring_ && !paused_ && !settleTimer_.isActive())
        settleTimer_.start(0);
}

bool TUndoRecorder::settle() {
    if (restoring_ || paused_)
        return !paused_;
    settleTimer_.stop();
    if (busy_ && busy_()) {
        settleTimer_.start(BUSY_RETRY_MS);
        return false;
    }
    const std::string document = periodDocument(period_);
    if (document == current_.document) {
        // A new name alone (a save under another name) is no step.
        current_.name = period_.name();
        pendingName_.reset();
        return true;
    }
    TPeriodSnapshot now = snapshot();
    const std::string name =
        pendingName_ ? *pendingName_
                     : changeName(comparePeriods(*current_.period, period_), origin_, dropSource_);
    pendingName_.reset();
    const bool withName = now.name != current_.name;
    // A new name comes with a new composition, which counts as saved as it is built.
    if (withName)
        now.saved = now.document;
    TPeriodSnapshot earlier = std::exchange(current_, now);
    stack_.push(new TSnapshotCommand(*this, std::move(earlier), std::move(now), withName, name));
    return true;
}

void TUndoRecorder::apply(const TPeriodData& target, const std::string& name) {
    settle();
    nameNext(name);
    putBack(target);
    settle();
}

void TUndoRecorder::pause() {
    settle();
    paused_ = true;
    settleTimer_.stop();
}

void TUndoRecorder::resume() {
    paused_ = false;
    const std::string saved = current_.saved;
    current_ = snapshot();
    current_.saved = saved;
}

void TUndoRecorder::reset() {
    if (paused_)
        return;
    settleTimer_.stop();
    stack_.clear();
    current_ = snapshot();
    current_.saved = current_.document;
    pendingName_.reset();
    stack_.setClean();
}

void TUndoRecorder::markClean() {
    if (paused_)
        return;
    settle();
    current_.saved = periodDocument(period_);
    stack_.setClean();
}

void TUndoRecorder::undo() {
    if (settle())
        stack_.undo();
}

void TUndoRecorder::redo() {
    if (settle())
        stack_.redo();
}

void TUndoRecorder::restore(const TPeriodSnapshot& snapshot, bool withName) {
    restoring_ = true;
    putBack(*snapshot.period);
    if (withName && period_.name() != snapshot.name)
        period_.setName(snapshot.name);
    restoring_ = false;
    settleTimer_.stop();
    current_ = this->snapshot();
    if (withName) {
        current_.saved = snapshot.saved;
        if (savedListener_)
            savedListener_(snapshot.saved);
    }
}

void TUndoRecorder::putBack(const TPeriodData& target) {
    const TPeriodChange change = comparePeriods(period_, target);
    if (!change.shape) {
        const std::vector<TMotive*> live = period_.allMotives();
        const std::vector<const TMotive*> wanted = target.allMotives();
        for (int i : change.motives) {
            TMotive& motive = *live[static_cast<std::size_t>(i)];
            // The motive the cell showed stays reachable through its back button.
            if (TUMotiveCanvas* canvas = canvasOf_(&motive))
                canvas->saveVersion();
            motive.copyContent(*wanted[static_cast<std::size_t>(i)]);
            motive.notifyChanged();
        }
        if (change.tempo)
            period_.setTempo(target.tempo());
    }
    if (change.shape || periodDocument(period_) != periodDocument(target)) {
        const std::string name = period_.name();
        period_ = target;
        period_.setName(name);
        period_.notifyChanged();
    }
}

bool TUndoRecorder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Drop)
        noteOrigin(watched, event);
    return QObject::eventFilter(watched, event);
}

void TUndoRecorder::noteOrigin(QObject* receiver, QEvent* event) {
    // Each press starts afresh; a press that changes nothing leaves no trace.
    if (event->type() == QEvent::MouseButtonPress) {
        origin_ = TChangeOrigin::Unknown;
        dropSource_.clear();
    }
    if (fastMenu_ != nullptr && receiver->isWidgetType() &&
        static_cast<QWidget*>(receiver)->window() == fastMenu_) {
        origin_ = TChangeOrigin::FastMenu;
        return;
    }
    TUMotiveCanvas* canvas = ancestorOf<TUMotiveCanvas>(receiver);
    if (canvas == nullptr || canvas->motiveReleased() || canvasOf_(&canvas->motive()) != canvas)
        return;
    if (event->type() == QEvent::Drop) {
        origin_ = TChangeOrigin::Drop;
        const TDragged* dragged =
            TDragged::draggedFrom(static_cast<QDropEvent*>(event)->mimeData());
        const auto* panel =
            dragged != nullptr ? ancestorOf<TEffectMotivePanel>(dragged->source()) : nullptr;
        dropSource_ = panel != nullptr ? panel->title().toStdString() : std::string();
        return;
    }
    if (receiver != canvas)
        return;
    // The small buttons are painted into the canvas, which hit-tests them.
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (TUMotiveCanvas::BACK_BUTTON.contains(at)) {
        origin_ = TChangeOrigin::Back;
        return;
    }
    if (TUMotiveCanvas::FORWARD_BUTTON.contains(at)) {
        origin_ = TChangeOrigin::Forward;
        return;
    }
    switch (canvas->modeNumber()) {
    case TUMotiveCanvas::MODE_EDIT:
        origin_ = TChangeOrigin::Edit;
        break;
    case TUMotiveCanvas::MODE_DELETE:
        origin_ = TChangeOrigin::Delete;
        break;
    case TUMotiveCanvas::MODE_LIGHT:
        origin_ = TChangeOrigin::Contour;
        break;
    case TUMotiveCanvas::MODE_PLAY:
        break;
    default:
        origin_ = TChangeOrigin::VariantChoice;
        break;
    }
}
