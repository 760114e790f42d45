#include "widgets/buttons.h"
#include "widgets/drawing.h"
#include "widgets/windowplacement.h"
#include "widgetstesting.h"

#include "model/geometry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QImage filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A 10 x 4 sheet, white but for a black and a grey pixel inside the glyph (2, 1, 4, 2).
QImage testSheet() {
    QImage sheet = filled(10, 4, Qt::white);
    sheet.setPixelColor(2, 1, Qt::black);
    sheet.setPixelColor(3, 2, QColor(128, 128, 128));
    sheet.setPixelColor(6, 1, Qt::black); // outside the glyph
    return sheet;
}

const TRect glyph{2, 1, 4, 2};
const QColor background(200, 100, 50);

} // namespace

TEST(GlyphCopy, AndBlendLeavesTheDestinationWhereTheGlyphIsWhite) {
    QImage target = filled(8, 6, background);
    {
        QPainter painter(&target);
        andGlyph(painter, 1, 2, testSheet(), glyph);
    }
    EXPECT_EQ(target.pixelColor(1, 2), QColor(Qt::black));
    // 128 AND each channel: 200 & 128, 100 & 128, 50 & 128.
    EXPECT_EQ(target.pixelColor(2, 3), QColor(128, 0, 0));
    for (const QPoint white : {QPoint(2, 2), QPoint(3, 2), QPoint(1, 3), QPoint(3, 3)})
        EXPECT_EQ(target.pixelColor(white), background) << white.x() << "," << white.y();
    // Nothing beyond the glyph's 3 x 2 pixels, not even the black pixel next to it.
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 6; ++y)
            if (x < 1 || x > 3 || y < 2 || y > 3) {
                EXPECT_EQ(target.pixelColor(x, y), background) << x << "," << y;
            }
}

TEST(GlyphCopy, OpaqueCopyReplacesTheDestinationAndRestoresTheCompositionMode) {
    QImage target = filled(8, 6, background);
    QPainter painter(&target);
    copyGlyph(painter, 0, 0, testSheet(), glyph);
    andGlyph(painter, 5, 0, testSheet(), glyph);
    EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
    painter.end();
    EXPECT_EQ(target.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(target.pixelColor(1, 0), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(1, 1), QColor(128, 128, 128));
    EXPECT_EQ(target.pixelColor(3, 0), background);
    EXPECT_EQ(target.pixelColor(0, 2), background);
}

TEST(GlyphCopy, EmptyGlyphOrSheetDrawsNothing) {
    QImage target = filled(4, 4, background);
    QPainter painter(&target);
    copyGlyph(painter, 0, 0, testSheet(), TRect{});
    andGlyph(painter, 0, 0, QImage(), glyph);
    painter.end();
    EXPECT_EQ(target, filled(4, 4, background));
}

TEST(Boxes, RaisedAndSunkenEdgesStayInsideTheArea) {
    const QColor fill(0xC8, 0xD0, 0xD4);
    const QColor grey(128, 128, 128);
    for (bool sunken : {false, true}) {
        QImage target = filled(12, 10, Qt::black);
        {
            QPainter painter(&target);
            const QRect area(2, 1, 7, 6); // x 2..8, y 1..6
            sunken ? sunkenBox(painter, area, fill) : raisedBox(painter, area, fill);
        }
        const QColor light = sunken ? grey : QColor(Qt::white);
        const QColor dark = sunken ? QColor(Qt::white) : grey;
        EXPECT_EQ(target.pixelColor(2, 1), light);
        EXPECT_EQ(target.pixelColor(8, 1), light);
        EXPECT_EQ(target.pixelColor(2, 6), light);
        EXPECT_EQ(target.pixelColor(8, 6), dark);
        EXPECT_EQ(target.pixelColor(8, 3), dark);
        EXPECT_EQ(target.pixelColor(5, 6), dark);
        EXPECT_EQ(target.pixelColor(5, 3), fill);
        EXPECT_EQ(target.pixelColor(9, 3), QColor(Qt::black)) << sunken;
        EXPECT_EQ(target.pixelColor(5, 7), QColor(Qt::black)) << sunken;
    }
}

TEST(Boxes, AControlsBevelIsTheBoxOnTheCommonBackground) {
    // Buttons, choosers and handles draw the same edges as the boxes, corners included.
    for (bool sunken : {false, true}) {
        QImage bevel = filled(12, 10, Qt::black);
        QImage box = bevel;
        const QRect area(2, 1, 7, 6);
        {
            QPainter painter(&bevel);
            drawBevel(painter, area, sunken);
        }
        {
            QPainter painter(&box);
            const QColor background = backgroundColour();
            sunken ? sunkenBox(painter, area, background) : raisedBox(painter, area, background);
        }
        EXPECT_EQ(bevel, box) << sunken;
        EXPECT_EQ(bevel.pixelColor(5, 3), backgroundColour()) << sunken;
    }
}

TEST(Boxes, FillWithOutlineAndFillWhite) {
    QImage target = filled(10, 10, Qt::black);
    {
        QPainter painter(&target);
        fillWithOutline(painter, QRect(0, 0, 5, 5), QColor(10, 20, 30));
        fillWhite(painter, QRect(6, 6, 3, 3));
    }
    for (const QPoint edge : {QPoint(0, 0), QPoint(4, 0), QPoint(0, 4), QPoint(4, 4)})
        EXPECT_EQ(target.pixelColor(edge), QColor(128, 128, 128));
    EXPECT_EQ(target.pixelColor(2, 2), QColor(10, 20, 30));
    EXPECT_EQ(target.pixelColor(5, 5), QColor(Qt::black));
    EXPECT_EQ(target.pixelColor(8, 8), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(9, 9), QColor(Qt::black));
}

TEST(Colours, ProgramColoursAreBlueGreenRed) {
    EXPECT_EQ(colourOf(0x9393FD), QColor(0xFD, 0x93, 0x93));
    EXPECT_EQ(colourOf(BACKGROUND_COLOUR), QColor(0xD4, 0xD0, 0xC8));
    EXPECT_EQ(greyLevel(177), QColor(177, 177, 177));
}

TEST(WindowPlacement, FitOnScreenKeepsAWindowOnTheAvailableArea) {
    ensureWidgetApplication();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    window.resize(300, 200);
    window.move(screen.left() + screen.width() - 100, screen.top() + screen.height() - 50);
    fitOnScreen(window);
    EXPECT_EQ(window.frameGeometry().topLeft(),
              QPoint(screen.left() + screen.width() - 300,
                     screen.top() + screen.height() - TASK_BAR_HEIGHT - 200));

    window.move(screen.left() - 40, screen.top() - 10);
    fitOnScreen(window);
    EXPECT_EQ(window.frameGeometry().topLeft(), screen.topLeft());

    window.move(screen.left() + 20, screen.top() + 30);
    fitOnScreen(window);
    EXPECT_EQ(window.frameGeometry().topLeft(), screen.topLeft() + QPoint(20, 30));
}

TEST(WindowPlacement, AWindowBelowAnAnchorStaysOnTheScreenAndSidewaysWithinItsOwner) {
    const QRect screen(0, 0, 1280, 1000);
    const QRect owner(0, 86, 1016, 546);
    const QSize menu(300, 200);
    const QRect anchor(100, 300, 250, 150); // bottom row 449
    EXPECT_EQ(placeBelow(anchor, menu, screen, owner), QPoint(100, 450)) << "just below";
    EXPECT_EQ(placeBelow(anchor.translated(-433, 0), menu, screen, owner), QPoint(0, 450))
        << "off the left";
    EXPECT_EQ(placeBelow(anchor.translated(900, 0), menu, screen, owner), QPoint(716, 450))
        << "past the owner's right edge";
    EXPECT_EQ(placeBelow(anchor.translated(1200, 0), menu, screen, QRect(0, 86, 2000, 546)),
              QPoint(980, 450))
        << "an owner wider than the screen: the screen's edge";
    EXPECT_EQ(placeBelow(anchor, menu, screen, QRect(90, 86, 200, 546)), QPoint(100, 450))
        << "an owner narrower than the window: the screen alone";
    EXPECT_EQ(placeBelow(QRect(100, 700, 250, 150), menu, screen, owner), QPoint(100, 500))
        << "no room below: above the anchor";
    EXPECT_EQ(placeBelow(QRect(100, 100, 250, 750), menu, screen, owner), QPoint(100, 800))
        << "room on neither side: on the bottom edge";
    EXPECT_EQ(placeBelow(QRect(1200, 100, 250, 150), menu, QRect(1280, 0, 1024, 768), QRect()),
              QPoint(1280, 250))
        << "a second screen, no owner";
}

TEST(WindowPlacement, ShowMessageIsAModalBoxAboveStayOnTopWindows) {
    ensureWidgetApplication();
    QString text;
    QString caption;
    bool onTop = false;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        text = box->text();
        caption = box->windowTitle();
        onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        modal = box->isModal();
        box->button(QMessageBox::Ok)->click();
    });
    // Should the box not be found, close whatever is modal so the test ends.
    QTimer::singleShot(3000, [] {
        if (QWidget* stuck = QApplication::activeModalWidget())
            stuck->close();
    });
    showMessageBox(nullptr, QMessageBox::Critical, "Unable to open file", "Tonaria");
    EXPECT_EQ(text, "Unable to open file");
    EXPECT_EQ(caption, "Tonaria");
    EXPECT_TRUE(onTop);
    EXPECT_TRUE(modal);
}
