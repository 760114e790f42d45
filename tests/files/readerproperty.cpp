#include "readerproperty.h"

#include "files/periodbuilder.h"
#include "files/periodreader.h"
#include "files/periodwriter.h"

std::optional<std::string> checkReaderOnInput(std::string_view bytes) {
    TPeriodData period;
    buildDefaultPeriod(period);
    const std::string before = periodDocument(period);
    try {
        readPeriodText(period, bytes);
    } catch (const TPeriodReadError&) {
        if (periodDocument(period) != before)
            return "a refused document changed the period";
        return std::nullopt;
    }

    // Letters that are no letters are written empty and come back as "A", so the first round
    // may still change the period; the second must not.
    const std::string first = periodDocument(period);
    TPeriodData again;
    try {
        readPeriodText(again, first);
    } catch (const TPeriodReadError& error) {
        return std::string("the written document is refused: ") + error.what();
    }
    const std::string second = periodDocument(again);
    TPeriodData third;
    try {
        readPeriodText(third, second);
    } catch (const TPeriodReadError& error) {
        return std::string("the rewritten document is refused: ") + error.what();
    }
    if (periodDocument(third) != second)
        return "writing and reading do not settle";
    return std::nullopt;
}
