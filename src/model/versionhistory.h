#pragma once

#include "model/motive.h"

#include <deque>

// The earlier versions of the motive a canvas edits, newest first, and which of them is
// shown. Every saved version and the live motive carry distinct ids, so a note message of
// the player names the version it belongs to.
//
// The history changes the motive's content and id but never notifies; its owner repaints.
class TVersionHistory {
    struct TVersion {
        int id;
        TMotive motive;
    };

public:
    // The history and the live motive at one moment, to return to when an edit is cancelled.
    struct TSnapshot {
        std::deque<TVersion> versions;
        int index;
        int nextId;
        TMotive motive;
        int motiveId;
    };

    static constexpr int CAPACITY = 20;

    // Numbers the live motive 0.
    explicit TVersionHistory(TMotive& motive);

    // Puts a copy of the live motive in front. Nothing is saved for an empty motive, nor while
    // an earlier version is shown (it is in the history already): the shown motive just
    // becomes the live one again. Returns whether a copy was saved.
    bool saveVersion();
    // Shows the version with that id (saving the live motive first when it is new). Returns
    // false when no version has the id.
    bool showVersion(int id);
    // Back shows the next older version, saving the live motive first; forward the next
    // newer one. Each returns false and changes nothing when its button is disabled.
    bool back();
    bool forward();
    // Empties the history and clears the motive (which notifies its listener).
    void clear();
    TSnapshot snapshot() const { return {versions_, index_, nextId_, motive_, motive_.id()}; }
    // The history and the motive (content and id) as in the snapshot; does not notify.
    void restore(const TSnapshot& snapshot);

    bool canGoBack() const;
    bool canGoForward() const;
    // Position of the shown version; -1 for the live motive.
    int index() const { return index_; }
    int size() const { return static_cast<int>(versions_.size()); }
    int nextId() const { return nextId_; }
    int versionId(int position) const { return versions_.at(position).id; }
    const TMotive& version(int position) const { return versions_.at(position).motive; }

private:
    void showAt(int position);

    TMotive& motive_;
    std::deque<TVersion> versions_;
    int index_ = -1;
    int nextId_ = 0;
};
