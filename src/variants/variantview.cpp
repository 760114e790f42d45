#include "variants/variantview.h"

#include "canvas/messagewindow.h"
#include "engine/scheme.h"
#include "playback/midibackend.h"
#include "variants/chordvariantstrategy.h"
#include "variants/notevariantstrategy.h"
#include "widgets/drawing.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

constexpr int VIEW_REGION = 0;

int screenWidthAt(const QWidget& widget) {
    const QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().right() + 1 : 1024;
}

} // namespace

TVariantView::TVariantView(QWidget* parent, TPlayingService& playing, TCanvasWindowService& windows,
                           QWidget* window)
    : TDblBufferedPanel(QImage(), VARIANT_VIEW_WIDTH, VARIANT_VIEW_HEIGHT,
                        QStringLiteral("TVariantView"), parent),
      playing_(playing), windows_(windows), window_(window), trace_(traceSinkFromEnvironment()),
      buttonHeld_([] { return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton); }) {
    setFixedSize(VARIANT_VIEW_WIDTH, VARIANT_VIEW_HEIGHT);
    setAccessibleName(QStringLiteral("Variants"));
    TMessageWindow* messages = &playing.messageWindow();
    // Called on the timer thread: only posts.
    timer_.setCallback([messages] { messages->post(MESSAGE_VARIANT_UPDATE, 1, 0); });
}

TVariantView::~TVariantView() {
    timer_.stop();
    if (isOpen()) {
        owner_ = nullptr;
        close();
    }
}

TVariantStrategy* TVariantView::strategy(int side) const {
    return strategies_[static_cast<std::size_t>(side)].get();
}

QPoint TVariantView::viewOrigin() const {
    return mapToGlobal(QPoint(0, 0));
}

void TVariantView::placeWindow(int x, int y) {
    if (window_ == nullptr)
        return;
    const auto place = [&] {
        const QRect frame = window_->frameGeometry();
        const TCorner corner =
            variantWindowCorner(x, y, frame.width(), frame.height(), screenWidthAt(*window_));
        window_->move(corner.left, corner.top);
    };
    place();
    const QSize before = window_->frameGeometry().size();
    window_->show();
    window_->raise();
    // The frame is known only once the window has been shown: place it again the first time.
    if (window_->frameGeometry().size() != before)
        place();
}

void TVariantView::buildStrategies() {
    TVariantModel& model = session_->model();
    const auto makeNotes = [&] { return std::make_unique<TNoteVariantStrategy>(*session_); };
    if (model.offersChords())
        strategies_[0] = std::make_unique<TChordVariantStrategy>(*session_);
    else
        strategies_[0] = makeNotes();
    if (model.offersNotes())
        strategies_[1] = makeNotes();
    else
        strategies_[1] = std::make_unique<TChordVariantStrategy>(*session_);
}

void TVariantView::open(TScheme& scheme, TVariantModel& model, int x, int y) {
    if (isOpen())
        close();
    savedPointer_ = QCursor::pos();
    openerWindow_ = QApplication::activeWindow();
    placeWindow(x, y);

    TMotive& motive = *model.motive();
    session_ = std::make_unique<TVariantSession>(scheme, model, &playing_.motivePlayer());
    const bool complete = session_->notesComplete();
    side_ = startingSide(memory_, model.cursor(), model.start(), model.offersNotes(), complete);
    startSide_ = side_;
    memory_ = {true, model.cursor(), model.start(), 0, side_};

    // The pointer enters on the middle line, where no variant lies, level with the note the
    // melody continues from: only a move chooses.
    int pitch = NO_PITCH;
    for (const TNote& note : motive.notes())
        if (note.time() < model.cursor() && !note.isRest())
            pitch = note.pitch();
    if (!isValidPitch(pitch))
        pitch = model.carriedNote().pitch();
    const QPoint entry(VARIANT_ENTRY_COLUMN, entryRow(pitch));

    sideSwitches_ = 0;
    scratchChord_.reset();
    if (model.offersNotes() && model.cursor() == motive.upbeatStart())
        scheme.resetCursors();
    buildStrategies();
    strategies_[static_cast<std::size_t>(side_)]->enter(side_);
    strategies_[static_cast<std::size_t>(side_)]->start(model.cursor());
    strategies_[static_cast<std::size_t>(1 - side_)]->start(model.cursor());
    clip_.addListener(strategy(side_));

    clip_.clear();
    clip_.addRegion(VIEW_REGION, QRect(viewOrigin(), QSize(VARIANT_VIEW_WIDTH, height())), 0,
                    windows_.cursorDelay());
    QCursor::setPos(viewOrigin() + entry);
    clip_.confineTo(VIEW_REGION);
    invalidatePicture();
    qApp->installEventFilter(this);

    if (timerEnabled_) {
        try {
            timer_.start();
        } catch (const TMidiError&) {
            // Without the timer previews follow only real moves.
        }
    }
    trace_->write(traceOpenLine());
}

void TVariantView::switchSide(int side, const QPoint&) {
    ++sideSwitches_;
    memory_.sideSwitches = sideSwitches_;
    TVariantStrategy* old = strategy(side_);
    TVariantStrategy* now = strategy(side);
    old->leave(side_);
    clip_.removeListener(old);
    side_ = side;
    now->enter(side);
    clip_.addListener(now);
    if (!session_->notesComplete()) {
        const TChord* under = session_->motive().chordOfMeasureAt(session_->cursor());
        if (under != nullptr)
            scratchChord_ = *under;
        else
            scratchChord_.reset();
    }
}

void TVariantView::track(const TShiftState& shift, int x, int y) {
    if (!isOpen())
        return;
    const QPoint inside = clip_.confine(QPoint(x, y));
    const QPoint at = inside - viewOrigin();
    const int vx = std::clamp(at.x(), 0, VARIANT_VIEW_WIDTH - 1);
    const int vy = std::clamp(at.y(), 0, height() - 1);
    const int side = variantSide(vx, side_);
    if (side != side_)
        switchSide(side, QPoint(vx, vy));
    trace_->write(traceMoveLine(vx, vy));
    const int cursor = session_->cursor();
    strategy(side_)->track(shift, vx, vy, side_);
    // The other half follows when the cursor moved on.
    if (session_->cursor() != cursor)
        strategy(1 - side_)->start(session_->cursor());
    showSchemeSelection();
    invalidatePicture();
}

void TVariantView::addSelectionListener(TTurnAndRhythmSelectionListener* listener) {
    if (listener != nullptr && std::find(selectionListeners_.begin(), selectionListeners_.end(),
                                         listener) == selectionListeners_.end())
        selectionListeners_.push_back(listener);
}

void TVariantView::removeSelectionListener(TTurnAndRhythmSelectionListener* listener) {
    std::erase(selectionListeners_, listener);
}

void TVariantView::showSchemeSelection() {
    const TNotePick* pick = session_ != nullptr && session_->notePreview().has_value()
                                ? &*session_->notePreview()
                                : nullptr;
    for (TTurnAndRhythmSelectionListener* listener : selectionListeners_) {
        listener->showRhythmSelection(pick != nullptr ? pick->duration : 0,
                                      pick != nullptr ? pick->durationIndex : -1);
        listener->showTurnSelection(pick != nullptr ? pick->turnIndex : -1);
    }
}

void TVariantView::timerUpdate() {
    if (!isOpen() || closing_)
        return;
    if (!scripted_ && buttonHeld_ && !buttonHeld_()) {
        abandon();
        return;
    }
    const QPoint at = QCursor::pos();
    track(TShiftState{}, at.x(), at.y());
}

void TVariantView::abandon() {
    if (!isOpen() || closing_)
        return;
    if (owner_ != nullptr) {
        // The owner closes the view as on a release.
        TVariantChoiceOwner* owner = owner_;
        owner_ = nullptr;
        owner->choiceAbandoned();
    }
    if (isOpen())
        close();
}

void TVariantView::cancel() {
    if (!isOpen() || closing_)
        return;
    discarding_ = true;
    if (owner_ != nullptr) {
        // The owner puts the motive back as it was before the press and closes the view.
        TVariantChoiceOwner* owner = owner_;
        owner_ = nullptr;
        owner->choiceCancelled();
    }
    if (isOpen())
        close();
    discarding_ = false;
}

void TVariantView::close() {
    if (!isOpen() || closing_)
        return;
    closing_ = true;
    timer_.stop();
    qApp->removeEventFilter(this);
    if (window_ != nullptr)
        window_->hide();
    clip_.release();
    clip_.clear();
    for (auto& strategy : strategies_)
        clip_.removeListener(strategy.get());
    if (discarding_)
        session_->discard();
    else
        session_->settle();
    memory_.sideSwitches = sideSwitches_;
    strategies_ = {};
    session_.reset();
    scratchChord_.reset();
    owner_ = nullptr;
    QCursor::setPos(savedPointer_);
    showSchemeSelection();
    trace_->write(traceCloseLine());
    closing_ = false;
    invalidatePicture();
}

bool TVariantView::eventFilter(QObject* watched, QEvent* event) {
    if (!isOpen() || closing_)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        // A demonstration's window takes every key: it cancels the demonstration.
        if (!scripted_ && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            cancel();
            return true;
        }
        break;
    case QEvent::ApplicationDeactivate:
        if (!scripted_)
            abandon();
        break;
    case QEvent::WindowDeactivate:
        if (scripted_)
            break;
        // The window the press began in lost the focus to something other than the view.
        if (watched == openerWindow_ && QApplication::activeWindow() != window_)
            abandon();
        break;
    default:
        break;
    }
    return false;
}

void TVariantView::draw(QPainter& painter) {
    painter.fillRect(QRect(0, 0, width(), height()), colourOf(0xC8D0D4));
    if (!isOpen())
        return;
    for (int side : {0, 1}) {
        painter.save();
        const int left = side == 0 ? 0 : VARIANT_RIGHT_HALF_X;
        painter.translate(left, 0);
        painter.setClipRect(QRect(0, 0, VARIANT_HALF_WIDTH, height()));
        strategy(side)->paint(painter, side);
        if (side != side_)
            painter.fillRect(QRect(0, 0, VARIANT_HALF_WIDTH, height()),
                             QColor(0xC8, 0xD0, 0xD4, 0x60));
        painter.restore();
    }
}
