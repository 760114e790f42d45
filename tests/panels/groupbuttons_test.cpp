#include "../canvas/fakecanvasservice.h"
#include "model/glyphs.h"
#include "panels/groupbuttons.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class RecordingGroupListener : public TGroupListener {
public:
    void itemAdded(TGroupButton*) override { calls.push_back("added 1"); }
    void itemsAdded(const std::vector<TGroupButton*>& items) override {
        calls.push_back("added " + std::to_string(items.size()));
    }
    void itemsRemoved(const std::vector<TGroupButton*>& items) override {
        calls.push_back("removed " + std::to_string(items.size()));
    }
    std::vector<std::string> calls;
};

class GroupButtons : public ::testing::Test {
protected:
    GroupButtons() {
        for (DURATION value : {DURATION(30), DURATION(60), DURATION(-60), DURATION(120)}) {
            items.push_back(std::make_unique<TDurationButton>(&owner, value));
            group.add(items.back().get());
        }
    }
    TDurationButton* item(int i) { return items[std::size_t(i)].get(); }
    std::vector<bool> selection() {
        std::vector<bool> out;
        for (const auto& i : items)
            out.push_back(i->isSelected());
        return out;
    }

    // Before any widget.
    bool applicationReady = (ensureWidgetApplication(), true);
    QWidget owner;
    TGroup group;
    std::vector<std::unique_ptr<TDurationButton>> items;
};

TEST_F(GroupButtons, APlainClickSelectsOneAndCtrlClicksBuildAMultipleSelection) {
    QTest::mouseClick(item(1), Qt::LeftButton);
    EXPECT_EQ(selection(), (std::vector<bool>{false, true, false, false}));
    QTest::mouseClick(item(3), Qt::LeftButton, Qt::ControlModifier);
    QTest::mouseClick(item(0), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(selection(), (std::vector<bool>{true, true, false, true}));
    EXPECT_EQ(group.selected(), (std::vector<TGroupButton*>{item(0), item(1), item(3)}));
    // Ctrl on a selected item takes it out of the selection.
    QTest::mouseClick(item(3), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(selection(), (std::vector<bool>{true, true, false, false}));
    // A plain click on a selected item leaves it the only one selected.
    QTest::mouseClick(item(1), Qt::LeftButton);
    EXPECT_EQ(selection(), (std::vector<bool>{false, true, false, false}));
    // The keyboard does the same.
    item(2)->setFocus();
    QTest::keyClick(item(2), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(selection(), (std::vector<bool>{false, true, true, false}));
}

TEST_F(GroupButtons, TheGroupKeepsOrderAndTellsItsListener) {
    RecordingGroupListener listener;
    group.setListener(&listener);
    auto extra = std::make_unique<TDurationButton>(&owner, DURATION(90));
    group.add(extra.get(), item(1));
    EXPECT_EQ(group.indexOf(extra.get()), 1);
    group.move(item(3), item(0));
    EXPECT_EQ(group.items(),
              (std::vector<TGroupButton*>{item(3), item(0), extra.get(), item(1), item(2)}));
    group.move(item(3), item(3)); // onto itself: nothing
    EXPECT_EQ(group.indexOf(item(3)), 0);
    group.remove({item(0), extra.get()});
    EXPECT_EQ(extra->group(), nullptr);
    EXPECT_EQ(group.items(), (std::vector<TGroupButton*>{item(3), item(1), item(2)}));
    // An item that goes leaves its group by itself.
    items[1].reset();
    EXPECT_EQ(group.items(), (std::vector<TGroupButton*>{item(3), item(2)}));
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"added 1", "removed 2", "removed 1"}));
    group.setListener(nullptr);
}

TEST_F(GroupButtons, RestsMustLeaveASetAndGlyphButtonsSizeToTheirGlyphs) {
    TRemoveSpace removeSpace;
    EXPECT_FALSE(removeSpace.mustLeave(item(0)));
    EXPECT_TRUE(removeSpace.mustLeave(item(2)));
    TTurnRoundButton turn(&owner, PASSING);
    EXPECT_FALSE(removeSpace.mustLeave(&turn));

    const TRect normal = durationGlyph(60);
    const TRect selected = durationGlyph(60, true);
    EXPECT_EQ(item(1)->sizeHint(), QSize(std::max(normal.width(), selected.width()) + 10,
                                         std::max(normal.height(), selected.height()) + 10));
    EXPECT_EQ(turn.sizeHint().height(), 43);
    EXPECT_EQ(turn.value(), PASSING);
    EXPECT_EQ(item(2)->value(), -60);
}

} // namespace
