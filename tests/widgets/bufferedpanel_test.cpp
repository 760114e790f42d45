#include "widgets/commonbufferedpanel.h"
#include "widgets/dblbufferedpanel.h"
#include "widgetstesting.h"

#include <QApplication>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

class CountingCommonPanel : public TCommonBufferedPanel {
public:
    using TCommonBufferedPanel::TCommonBufferedPanel;
    int draws = 0;

protected:
    void draw(QPainter& painter) override {
        ++draws;
        painter.fillRect(rect(), Qt::red);
    }
};

class CountingDblPanel : public TDblBufferedPanel {
public:
    using TDblBufferedPanel::TDblBufferedPanel;
    int draws = 0;

protected:
    void draw(QPainter& painter) override {
        ++draws;
        painter.fillRect(0, 0, picture().width(), picture().height(), Qt::blue);
    }
};

TEST(BufferedPanels, CommonPanelDrawsOnEveryPaint) {
    ensureWidgetApplication();
    CountingCommonPanel panel{QImage()};
    panel.resize(40, 30);
    const QImage first = panel.grab().toImage();
    panel.grab();
    EXPECT_EQ(panel.draws, 2);
    EXPECT_EQ(first.pixel(20, 15), qRgb(255, 0, 0));
}

TEST(BufferedPanels, OwnPictureIsDrawnOnlyWhenInvalid) {
    ensureWidgetApplication();
    CountingDblPanel panel(QImage(), 40, 30, "motive");
    panel.resize(40, 30);
    const QImage first = panel.grab().toImage();
    panel.grab();
    EXPECT_EQ(panel.draws, 1);
    EXPECT_EQ(first.pixel(20, 15), qRgb(0, 0, 255));
    panel.invalidatePicture();
    panel.grab();
    EXPECT_EQ(panel.draws, 2);
    panel.recreatePicture(60, 20, "wider");
    panel.grab();
    EXPECT_EQ(panel.draws, 3);
    EXPECT_EQ(panel.picture().size(), QSize(60, 20));
    EXPECT_EQ(panel.objectName(), "wider");
    panel.resize(80, 30);
    const QImage larger = panel.grab().toImage();
    EXPECT_EQ(larger.pixel(70, 10), panel.palette().window().color().rgb());
    EXPECT_EQ(larger.pixel(30, 25), panel.palette().window().color().rgb());
    EXPECT_EQ(larger.pixel(30, 10), qRgb(0, 0, 255));
}

TEST(BufferedPanels, OwnPictureIsWhiteAndOfItsSizeBeforeAnyPaintAndAfterARecreation) {
    ensureWidgetApplication();
    CountingDblPanel panel(QImage(), 40, 30, "motive");
    EXPECT_EQ(panel.picture().size(), QSize(40, 30));
    EXPECT_EQ(panel.picture().pixel(39, 29), qRgb(255, 255, 255));
    EXPECT_EQ(panel.draws, 0);
    panel.resize(40, 30);
    panel.grab();
    EXPECT_EQ(panel.picture().pixel(39, 29), qRgb(0, 0, 255));
    // A recreated picture starts white again, whether or not it was drawn before.
    panel.recreatePicture(0, 10, "narrow");
    EXPECT_EQ(panel.picture().size(), QSize(1, 10));
    EXPECT_EQ(panel.picture().pixel(0, 9), qRgb(255, 255, 255));
    panel.recreatePicture(50, 20, "wide");
    panel.resize(50, 20);
    EXPECT_EQ(panel.grab().toImage().pixel(49, 19), qRgb(0, 0, 255));
    EXPECT_EQ(panel.draws, 2);
}

} // namespace
