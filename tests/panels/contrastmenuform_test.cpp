#include "panelstesting.h"

#include "canvas/umotivecanvas.h"
#include "panels/contrastmenuform.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ContrastMenuForm : public ::testing::Test {
protected:
    TPanelsService service;
    TMotive motive = harmonisedMelody();
};

TEST_F(ContrastMenuForm, ShowsTheMotiveItselfInAPlayingCanvasAboveACentredCloseButton) {
    TContrastMenuForm form(nullptr, service, motive);
    TUMotiveCanvas* canvas = form.canvas();
    EXPECT_EQ(&canvas->motive(), &motive);
    EXPECT_EQ(canvas->pos(), QPoint(5, 5));
    EXPECT_EQ(canvas->modeNumber(), TUMotiveCanvas::MODE_PLAY);
    EXPECT_EQ(canvas->canvasId(), 255);
    EXPECT_FALSE(canvas->dropEnabled());
    EXPECT_EQ(service.currentCanvas, canvas);

    EXPECT_EQ(form.windowTitle(), "Motive For Contrast");
    EXPECT_EQ(form.closeButton()->text(), "Close");
    EXPECT_EQ(form.size(), QSize(canvas->width() + 10, canvas->height() + 25 + 15));
    const QRect close = form.closeButton()->geometry();
    EXPECT_EQ(close.size(), QSize(80, 25));
    EXPECT_EQ(close.top(), canvas->height() + 10);
    EXPECT_LE(std::abs(close.center().x() - form.width() / 2), 1);
}

TEST_F(ContrastMenuForm, NearAScreenCornerTheWindowStaysFullyVisible) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QPoint& corner : {screen.topLeft(), screen.bottomRight(), screen.center()}) {
        TContrastMenuForm form(nullptr, service, motive);
        form.centreAt(corner);
        EXPECT_TRUE(screen.contains(form.frameGeometry())) << corner.x() << "," << corner.y();
        EXPECT_TRUE(form.geometry().contains(corner) || corner != screen.center());
    }
}

TEST_F(ContrastMenuForm, ClosingDuringPlaybackStopsItAndLeavesNoNoteLit) {
    TContrastMenuForm form(nullptr, service, motive);
    form.show();
    QTest::mouseClick(form.canvas(), Qt::LeftButton, {}, QPoint(100, 80));
    ASSERT_EQ(service.motivePlayer().queuedCount(), 1);
    bool lit = false;
    for (int tick = 0; tick < 64 && !lit; ++tick) {
        service.motivePlayer().tick();
        QCoreApplication::sendPostedEvents(&service.messageWindow());
        for (const TNote& note : motive.notes())
            lit = lit || note.highlighted();
    }
    ASSERT_TRUE(lit);

    QTest::mouseClick(form.closeButton(), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(service.soundingNotes(), 0);
    EXPECT_EQ(service.motivePlayer().queuedCount(), 0);
    QCoreApplication::sendPostedEvents(&service.messageWindow());
    for (const TNote& note : motive.notes())
        EXPECT_FALSE(note.highlighted());
    EXPECT_EQ(service.currentCanvas, nullptr);
    // The motive keeps its notes: the window only showed it.
    EXPECT_EQ(motive.notes().size(), 4u);
}

} // namespace
