#include "shell/autosave.h"

#include "files/messagebundle.h"
#include "files/periodwriter.h"
#include "model/period.h"
#include "shell/documentlifecycle.h"
#include "shell/userdialogsinterface.h"

#include <QDateTime>

#include <chrono>
#include <initializer_list>

namespace {

const std::string UNTITLED = "Untitled";

// The bundle's text with %1, %2, ... replaced by `arguments` in turn.
std::string filledIn(std::string text, std::initializer_list<std::string> arguments) {
    int number = 1;
    for (const std::string& argument : arguments) {
        const std::string mark = "%" + std::to_string(number++);
        if (const std::size_t at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), argument);
    }
    return text;
}

std::int64_t secondsNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

std::string recoveryQuestion(const TMessageBundle& bundle, const std::string& original,
                             std::int64_t time) {
    const std::string name =
        original.empty() ? UNTITLED : std::filesystem::path(original).filename().string();
    const std::string when = QDateTime::fromSecsSinceEpoch(time)
                                 .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                 .toStdString();
    return filledIn(bundle.text("recover question"), {name, when});
}

TAutosave::TAutosave(TDocumentLifecycle& documents, TPeriodData& period,
                     const TMessageBundle& bundle, TUserDialogsInterface& dialogs,
                     const std::filesystem::path& recoveryFolder)
    : documents_(documents), period_(period), bundle_(bundle), dialogs_(dialogs),
      folder_(recoveryFolder), session_(recoveryFolder), writer_(session_.copyFile()) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(QUIET_MILLISECONDS);
    longest_.setSingleShot(true);
    longest_.setInterval(LONGEST_MILLISECONDS);
    connect(&quiet_, &QTimer::timeout, this, &TAutosave::writeCopy);
    connect(&longest_, &QTimer::timeout, this, &TAutosave::writeCopy);
}

void TAutosave::documentChanged(bool modified) {
    reportWriteFailure();
    if (!modified) {
        discard();
        return;
    }
    quiet_.start();
    // Changes that never pause still reach the disk every so often.
    if (!longest_.isActive())
        longest_.start();
}

void TAutosave::keepNow() {
    if (documents_.isModified())
        writeCopy();
    writer_.flush();
}

void TAutosave::discard() {
    quiet_.stop();
    longest_.stop();
    if (copyExists_) {
        writer_.remove();
        copyExists_ = false;
    }
}

void TAutosave::writeCopy() {
    quiet_.stop();
    longest_.stop();
    if (!documents_.isModified())
        return;
    const std::string original = period_.name() == UNTITLED ? std::string() : period_.name();
    writer_.write(original, secondsNow(), periodDocument(period_));
    copyExists_ = true;
}

void TAutosave::reportWriteFailure() {
    const auto failure = writer_.takeFailure();
    if (!failure || failureReported_)
        return;
    // Once: a full disk would otherwise ask for attention at every change.
    failureReported_ = true;
    dialogs_.showMessage(
        filledIn(bundle_.text("recovery error"), {writer_.copyFile().string(), *failure}),
        bundle_.text("warning"));
}

bool TAutosave::offerRecovery() {
    for (const std::filesystem::path& file : findRecoveryCopies(folder_)) {
        if (offer(file))
            return true;
    }
    return false;
}

bool TAutosave::offer(const std::filesystem::path& file) {
    TRecoveryCopy copy;
    try {
        copy = readRecoveryCopy(file);
    } catch (const TRecoveryCopyError& error) {
        std::string kept;
        try {
            kept = setAsideDamagedCopy(file).string();
        } catch (const std::exception&) {
            kept = file.string();
        }
        dialogs_.showMessage(
            filledIn(bundle_.text("recovery damaged"), {file.string(), error.what(), kept}),
            bundle_.text("warning"));
        return false;
    }
    switch (dialogs_.askRecover(recoveryQuestion(bundle_, copy.original, copy.time),
                                bundle_.text("thetonaria"))) {
    case TRecoverAnswer::Recover: {
        if (!documents_.maySetAside() || !documents_.recoverFrom(copy.document, copy.original))
            return false;
        // The old copy goes only once this program's own copy holds the work.
        const int written = writer_.writesDone();
        keepNow();
        if (writer_.writesDone() > written)
            removeRecoveryCopy(file);
        reportWriteFailure();
        return true;
    }
    case TRecoverAnswer::Discard:
        removeRecoveryCopy(file);
        return false;
    case TRecoverAnswer::Later:
        break;
    }
    return false;
}
