#pragma once

#include "canvas/canvaslisteners.h"
#include "canvas/playbackevent.h"

#include <QObject>

#include <cstdint>
#include <deque>
#include <mutex>
#include <unordered_map>
#include <variant>

// Messages handed from another thread to the interface thread besides the playback events.
inline constexpr int MESSAGE_VARIANT_UPDATE = 0x200; // the variant view's timer: code 1

// Canvas ids that owners give: 255 the current extra canvas, 0 to 47 the effect panels' variant
// canvases, 48 and up the motive cells of the period strip.
inline constexpr int CURRENT_CANVAS_ID = 255;
inline constexpr int FIRST_CELL_CANVAS_ID = 48;

// Handles, on the interface thread, what the message window does not hand to a canvas itself.
class TMessageHandler {
public:
    virtual ~TMessageHandler() = default;
    // A posted message other than a playback event.
    virtual void handleMessage(int message, int code, std::int64_t value) = 0;
    // The motive of `canvas`, which still exists, started or finished playing.
    virtual void motivePlaying(TProcessPlayingInterface& canvas, bool started) = 0;
};

// The main window's invisible message window: any thread posts, and the posts are handled later
// on the thread this object lives on (the interface thread), in posting order. It is the one
// place where a playback event finds its canvas: through the canvas's serial among the canvases
// that exist when the event is handled. Events for a canvas that has gone are dropped.
//
// The posts themselves travel in a queue under a standard mutex; Qt only carries a wake-up
// without content, one for each post, and each wake-up hands on the oldest post. So the
// hand-off between the threads is one that a thread checker sees, and a handler that runs a
// nested event loop still gets the later posts in order.
class TMessageWindow : public QObject {
    Q_OBJECT
public:
    explicit TMessageWindow(TMessageHandler& handler, QObject* parent = nullptr);
    ~TMessageWindow() override;

    // Called on any thread, the timer thread included; holds the queue's lock only to append.
    void post(const TPlaybackEvent& event);
    void post(int message, int code, std::int64_t value);

    // Keeps a canvas reachable by the events posted for it while the entry lives. Interface
    // thread only; the message window must outlive the entry.
    class TEntry {
    public:
        TEntry(TMessageWindow& window, TProcessPlayingInterface& canvas, TCanvasSerial serial);
        ~TEntry();
        TEntry(const TEntry&) = delete;
        TEntry& operator=(const TEntry&) = delete;

    private:
        TMessageWindow& window_;
        TCanvasSerial serial_;
    };

    // The canvas with that serial, or null when it no longer exists.
    TProcessPlayingInterface* canvasBySerial(TCanvasSerial serial) const;

signals:
    // Emitted on the posting thread once a post is queued; queued to the interface thread.
    void posted(QPrivateSignal);

private:
    struct TMessage {
        int message;
        int code;
        std::int64_t value;
    };
    using TPost = std::variant<TPlaybackEvent, TMessage>;

    void enqueue(const TPost& post);
    // Interface thread: hands on the oldest post.
    void handleOldest();
    void deliver(const TPlaybackEvent& event);

    TMessageHandler& handler_;
    std::unordered_map<TCanvasSerial, TProcessPlayingInterface*> canvases_;
    std::mutex queueMutex_;
    std::deque<TPost> queue_; // guarded by queueMutex_
};
