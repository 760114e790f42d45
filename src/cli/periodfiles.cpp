#include "cli/periodfiles.h"

#include "files/atomicfile.h"
#include "files/fileerrors.h"
#include "files/periodreader.h"
#include "files/periodwriter.h"

bool readPeriodOrReport(TPeriodData& period, const std::string& file, const TMessageBundle& bundle,
                        std::ostream& err) {
    try {
        readPeriodFile(period, file);
        return true;
    } catch (const TPeriodReadError& error) {
        err << openErrorText(bundle, file, error.what()) << '\n';
        return false;
    }
}

bool savePeriodOrReport(const TPeriodData& period, const std::string& file,
                        const TMessageBundle& bundle, std::ostream& err) {
    try {
        savePeriod(period, file);
        return true;
    } catch (const TFileWriteError& error) {
        reportSaveError(file, error.reason(), bundle, err);
        return false;
    }
}

void reportSaveError(const std::string& file, const std::string& reason,
                     const TMessageBundle& bundle, std::ostream& err) {
    err << saveErrorText(bundle, file, reason) << '\n';
}
