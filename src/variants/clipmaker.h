#pragma once

#include <QPoint>
#include <QRect>

#include <functional>
#include <vector>

// Told when the pointer is confined to another region. Interface thread only.
class TClipMakerListener {
public:
    virtual ~TClipMakerListener() = default;
    virtual void regionEvent(int regionId) = 0;
};

// Keeps the pointer inside one of a list of screen regions. The pointer is brought back
// whenever a move leaves the current region (every move passes through confine()); where the
// platform refuses to move the pointer, the clamped position is still what the caller works
// with, so the nearest edge is followed.
class TClipMaker {
public:
    struct TRegion {
        int id = 0;
        QRect rect;
        int flags = 0;
        int delay = 0;
    };

    TClipMaker();

    void addRegion(int id, const QRect& rect, int flags, int delay);
    // Confines the pointer to the region when it exists and is not already current; pulls the
    // pointer in at once and tells the listeners.
    void confineTo(int id);
    // The pointer may move over the whole screen again; the regions stay.
    void release();
    // Releases and forgets every region.
    void clear();
    int currentRegion() const { return current_; }
    const TRegion* region(int id) const;
    bool isConfined() const { return current_ != -1; }

    // The screen point inside the current region nearest to `point`; the pointer is moved
    // there when it lay outside. Without a current region the point is returned as it is.
    QPoint confine(const QPoint& point);

    void addListener(TClipMakerListener* listener);
    void removeListener(TClipMakerListener* listener);

    // How the pointer is moved and read; QCursor by default.
    void setPointer(std::function<QPoint()> read, std::function<void(const QPoint&)> move);

private:
    std::vector<TRegion> regions_;
    std::vector<TClipMakerListener*> listeners_;
    int current_ = -1;
    std::function<QPoint()> readPointer_;
    std::function<void(const QPoint&)> movePointer_;
};
