#include "shell/periodtools.h"

#include "engine/periodcomposition.h"
#include "engine/periodharmonisation.h"
#include "engine/scheme.h"
#include "files/messagebundle.h"
#include "model/schemechords.h"

#include <QApplication>
#include <QProgressDialog>

namespace {

// Longer than this and the progress dialog shows.
constexpr int BLINK_MS = 300;

// The wait cursor for as long as the command runs.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace

void runPeriodTool(TPeriodTool tool, TPeriodData& period, TScheme& scheme, bool schoolHarmony,
                   const TMessageBundle& bundle, QWidget* parent) {
    const TWaitCursor wait;
    harmonisePeriod(period, schemeChordTypeNames(), scheme.random(), schoolHarmony);
    if (tool != TPeriodTool::ComposeEmptyMotives)
        return;
    QProgressDialog progress(QString::fromStdString(bundle.text("composing motives")), QString(), 0,
                             period.motiveCount(), parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(BLINK_MS);
    progress.setAutoClose(true);
    composeEmptyMotives(period, scheme, schoolHarmony, {}, [&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
    });
}
