#include "variants/clipmaker.h"

#include "engine/variantgeometry.h"

#include <QCursor>

#include <algorithm>

TClipMaker::TClipMaker()
    : readPointer_([] { return QCursor::pos(); }),
      movePointer_([](const QPoint& at) { QCursor::setPos(at); }) {}

void TClipMaker::addRegion(int id, const QRect& rect, int flags, int delay) {
    const auto found = std::find_if(regions_.begin(), regions_.end(),
                                    [id](const TRegion& r) { return r.id == id; });
    if (found != regions_.end())
        *found = {id, rect, flags, delay};
    else
        regions_.push_back({id, rect, flags, delay});
}

const TClipMaker::TRegion* TClipMaker::region(int id) const {
    const auto found = std::find_if(regions_.begin(), regions_.end(),
                                    [id](const TRegion& r) { return r.id == id; });
    return found != regions_.end() ? &*found : nullptr;
}

void TClipMaker::confineTo(int id) {
    if (id == current_ || region(id) == nullptr)
        return;
    current_ = id;
    confine(readPointer_());
    for (TClipMakerListener* listener : std::vector<TClipMakerListener*>(listeners_))
        listener->regionEvent(id);
}

void TClipMaker::release() {
    current_ = -1;
}

void TClipMaker::clear() {
    release();
    regions_.clear();
}

QPoint TClipMaker::confine(const QPoint& point) {
    const TRegion* inside = region(current_);
    if (inside == nullptr)
        return point;
    const QRect& r = inside->rect;
    const TClamped clamped =
        clampInto(point.x(), point.y(), r.left(), r.top(), r.width(), r.height());
    const QPoint result(clamped.x, clamped.y);
    if (clamped.moved)
        movePointer_(result);
    return result;
}

void TClipMaker::addListener(TClipMakerListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void TClipMaker::removeListener(TClipMakerListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void TClipMaker::setPointer(std::function<QPoint()> read, std::function<void(const QPoint&)> move) {
    readPointer_ = std::move(read);
    movePointer_ = std::move(move);
}
