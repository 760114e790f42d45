#include "model/versionhistory.h"

TVersionHistory::TVersionHistory(TMotive& motive) : motive_(motive) {
    motive_.setId(0);
}

bool TVersionHistory::saveVersion() {
    if (motive_.isEmpty() || index_ != -1) {
        index_ = -1;
        motive_.setId(nextId_);
        return false;
    }
    versions_.push_front({nextId_, motive_});
    ++nextId_;
    motive_.setId(nextId_);
    if (size() > CAPACITY)
        versions_.pop_back();
    index_ = -1;
    return true;
}

bool TVersionHistory::showVersion(int id) {
    if (id == motive_.id())
        return true;
    const bool saved = index_ == -1 && !motive_.isEmpty() && saveVersion();
    for (int position = 0; position < size(); ++position) {
        if (versions_[static_cast<std::size_t>(position)].id == id) {
            showAt(position);
            return true;
        }
    }
    // The live motive now stands in the history: show it as that version, with its id.
    if (saved)
        showAt(0);
    return false;
}

bool TVersionHistory::back() {
    if (!canGoBack())
        return false;
    int target = index_ + 1;
    if (index_ == -1)
        target = saveVersion() ? 1 : 0;
    if (target >= size())
        return false;
    showAt(target);
    return true;
}

bool TVersionHistory::forward() {
    if (!canGoForward())
        return false;
    showAt(index_ - 1);
    return true;
}

void TVersionHistory::clear() {
    versions_.clear();
    index_ = -1;
    nextId_ = 0;
    motive_.setId(0);
    motive_.clearAll();
}

void TVersionHistory::restore(const TSnapshot& snapshot) {
    versions_ = snapshot.versions;
    index_ = snapshot.index;
    nextId_ = snapshot.nextId;
    motive_ = snapshot.motive; // keeps the listener
    motive_.setId(snapshot.motiveId);
}

bool TVersionHistory::canGoBack() const {
    return !versions_.empty() && index_ < size() - 1;
}

bool TVersionHistory::canGoForward() const {
    return !versions_.empty() && index_ > 0;
}

void TVersionHistory::showAt(int position) {
    const TVersion& version = versions_[static_cast<std::size_t>(position)];
    motive_ = version.motive; // content, key, meter and upbeat; keeps the listener
    motive_.setId(version.id);
    index_ = position;
}
