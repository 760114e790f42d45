#pragma once

#include "files/recoverycopy.h"
#include "files/recoverywriter.h"

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <string>

class TDocumentLifecycle;
class TMessageBundle;
class TPeriodData;
class TUserDialogsInterface;

// Keeps a recovery copy of the open composition while it has unsaved changes: a few seconds
// after the last change, and at least every ten seconds while changes go on. The document is
// taken on the interface thread; the file is written on the writer's thread. A save, an open,
// a new composition or a clean exit removes the copy; an end by signal keeps it.
// Interface thread only.
class TAutosave : public QObject {
    Q_OBJECT
public:
    static constexpr int QUIET_MILLISECONDS = 3000;
    static constexpr int LONGEST_MILLISECONDS = 10000;

    TAutosave(TDocumentLifecycle& documents, TPeriodData& period, const TMessageBundle& bundle,
              TUserDialogsInterface& dialogs, const std::filesystem::path& recoveryFolder);

    // Shorter delays for tests.
    void setDelays(int quietMilliseconds, int longestMilliseconds) {
        quiet_.setInterval(quietMilliseconds);
        longest_.setInterval(longestMilliseconds);
    }
    // The document changed (or was saved): schedules a copy while it is modified, and removes
    // the copy once it is not.
    void documentChanged(bool modified);
    // Writes the copy now when the document is modified, and waits until it is on the disk:
    // the program is about to end without asking.
    void keepNow();
    // The user has let the changes go (or there were none): the copy goes.
    void discard();
    // Asks about the copies that ended programs left, oldest first, until one is recovered.
    // A damaged copy is reported and set aside. Returns whether a copy was recovered.
    bool offerRecovery();

    const std::filesystem::path& copyFile() const { return session_.copyFile(); }
    TRecoveryWriter& writer() { return writer_; }

private:
    void writeCopy();
    void reportWriteFailure();
    // One copy: asks, and recovers, removes or keeps it. True when recovered.
    bool offer(const std::filesystem::path& file);

    TDocumentLifecycle& documents_;
    TPeriodData& period_;
    const TMessageBundle& bundle_;
    TUserDialogsInterface& dialogs_;
    std::filesystem::path folder_;
    TRecoverySession session_;
    TRecoveryWriter writer_;
    QTimer quiet_;
    QTimer longest_;
    bool copyExists_ = false;
    bool failureReported_ = false;
};

// "Recover the unsaved changes to NAME from TIME?" for a copy of `original` (its file name, or
// "Untitled") written at `time` (seconds since the epoch, shown in local time).
std::string recoveryQuestion(const TMessageBundle& bundle, const std::string& original,
                             std::int64_t time);
