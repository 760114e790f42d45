#include "engine/contextmotive.h"

#include <algorithm>

namespace {

bool harmonised(const TContextCell& cell) {
    return cell.motive && cell.motive->isHarmonised();
}

TMotiveContext inStrip(const std::vector<TContextCell>& cells, std::size_t i,
                       const TMotive& motive) {
    if (i == 0)
        return {nullptr, -1, motive.zatakt() > 0 ? CONTEXT_FIRST_WITH_UPBEAT : CONTEXT_FIRST};
    const TContextCell& before = cells[i - 1];
    if (!harmonised(before))
        return {};
    const int cell = static_cast<int>(i - 1);
    if (before.group == cells[i].group)
        return {before.motive, cell, CONTEXT_CONTINUES};
    if (motive.zatakt() > 0)
        return {before.motive, cell, CONTEXT_NEW_GROUP};
    return {};
}

// A motive outside the strip follows the selected one: within its sentence, or across the
// sentence boundary when the selected cell ends its sentence.
TMotiveContext afterSelection(const std::vector<TContextCell>& cells) {
    const auto selected =
        std::find_if(cells.begin(), cells.end(), [](const TContextCell& c) { return c.selected; });
    if (selected == cells.end() || !harmonised(*selected))
        return {};
    const TMotive* chosen = selected->motive;
    const int cell = static_cast<int>(selected - cells.begin());
    for (std::size_t j = 0; j + 1 < cells.size(); ++j) {
        if (cells[j].motive == chosen && cells[j + 1].group != cells[j].group) {
            if (chosen->zatakt() <= 0)
                return {};
            return {chosen, cell, CONTEXT_NEW_GROUP};
        }
    }
    return {chosen, cell, CONTEXT_CONTINUES};
}

} // namespace

TMotiveContext contextMotive(const std::vector<TContextCell>& cells, const TMotive* motive) {
    if (!motive)
        return {};
    for (std::size_t i = 0; i < cells.size(); ++i)
        if (cells[i].motive == motive)
            return inStrip(cells, i, *motive);
    return afterSelection(cells);
}
