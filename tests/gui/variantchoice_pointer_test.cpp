// A choice in the variant window made with real pointer events under an X server: holding
// still chooses nothing, Escape takes the press back, a release keeps the variant under the
// pointer.

#include "guitesting.h"

#include "canvas/umotivecanvas.h"
#include "strip/periodpanel.h"
#include "variants/chordvariantstrategy.h"
#include "variants/variantview.h"

#include <gtest/gtest.h>

namespace {

using VariantChoicePointer = TMainWindowPointerTest;

TEST_F(VariantChoicePointer, HoldingStillThenEscapeLeavesTheDocumentAndAReleaseKeepsTheVariant) {
    window->activateWindow();
    pumpEvents(200);
    const auto cells = window->periodPanel()->motiveCells();
    TUMotiveCanvas* canvas = cells[1]->canvas();
    ASSERT_TRUE(canvas->motive().isEmpty());
    const std::filesystem::path before = folder / "before.tnr";
    const std::filesystem::path after = folder / "after.tnr";
    ASSERT_TRUE(window->saveTo(before.string()));

    const QPoint press = centreOf(canvas);
    ASSERT_TRUE(xdotool(at(press) + QStringList{"mousedown", "1"}));
    pumpEvents(2000);
    ASSERT_TRUE(window->variantWindowBusy());
    // The pointer stands on the middle line of the view, and resting chose nothing.
    TVariantView* view = window->variantView();
    EXPECT_EQ(view->mapFromGlobal(QCursor::pos()).x(), VARIANT_ENTRY_COLUMN);
    EXPECT_TRUE(canvas->motive().isEmpty());
    ASSERT_TRUE(xdotool(QStringList{"key", "Escape"}));
    pumpEvents(300);
    EXPECT_FALSE(window->variantWindowBusy());
    ASSERT_TRUE(xdotool(QStringList{"mouseup", "1"}));
    pumpEvents(300);
    ASSERT_TRUE(window->saveTo(after.string()));
    EXPECT_EQ(readWhole(after), readWhole(before));

    // Again, over a chord this time, and let go there: the chord stays.
    ASSERT_TRUE(xdotool(at(press) + QStringList{"mousedown", "1"}));
    pumpEvents(400);
    ASSERT_TRUE(window->variantWindowBusy());
    auto* chords = dynamic_cast<TChordVariantStrategy*>(view->strategy(0));
    ASSERT_NE(chords, nullptr);
    ASSERT_FALSE(chords->boxes().empty());
    const TRectWithCheck& box = chords->boxes().front();
    const QPoint over =
        view->mapToGlobal(QPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2));
    ASSERT_TRUE(xdotool(at(over + QPoint(0, 4))));
    pumpEvents(200);
    ASSERT_TRUE(xdotool(at(over)));
    pumpEvents(300);
    const std::string chosen = chords->variants().front().name();
    ASSERT_TRUE(xdotool(QStringList{"mouseup", "1"}));
    pumpEvents(300);
    EXPECT_FALSE(window->variantWindowBusy());
    ASSERT_FALSE(canvas->motive().chords().empty());
    EXPECT_EQ(canvas->motive().chords().front().name(), chosen);
}

} // namespace
