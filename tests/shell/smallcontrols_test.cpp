#include "files/engmessagebundle.h"
#include "shell/temppanel.h"
#include "widgets/buttons.h"
#include "widgets/hintpanel.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct TTempoLog : TTempPanelListener {
    std::vector<int> picked;
    void tempoPicked(int value) override { picked.push_back(value); }
};

struct TPressLog : TButtonListener, TButtonReleasedListener {
    std::vector<QWidget*> pressed;
    std::vector<QWidget*> released;
    void buttonPressed(QWidget* button) override { pressed.push_back(button); }
    void buttonReleased(QWidget* button) override { released.push_back(button); }
};

class TempoPanel : public ::testing::Test {
protected:
    TempoPanel() { panel.setListener(&log); }
    TEngMessageBundle bundle;
    TTempPanel panel{nullptr, bundle};
    TTempoLog log;
};

TEST_F(TempoPanel, StartsModerateWithTheSevenNames) {
    EXPECT_EQ(panel.tempo(), 100);
    EXPECT_EQ(panel.names()->count(), 7);
    EXPECT_EQ(panel.names()->currentText(), "Moderately");
    EXPECT_EQ(panel.number()->minimum(), 50);
    EXPECT_EQ(panel.number()->maximum(), 150);
}

TEST_F(TempoPanel, TheNumberSelectsTheNameOfItsStep) {
    for (const auto& [value, item] : std::vector<std::pair<int, int>>{{50, 0},
                                                                      {54, 0},
                                                                      {62, 0},
                                                                      {63, 1},
                                                                      {100, 3},
                                                                      {137, 5},
                                                                      {138, 6},
                                                                      {145, 6},
                                                                      {150, 6}}) {
        panel.number()->setValue(value);
        EXPECT_EQ(panel.names()->currentIndex(), item) << value;
        EXPECT_EQ(log.picked.back(), value) << "the listener hears every change";
    }
}

TEST_F(TempoPanel, PickingANameSetsItsTempoAndTellsTheListenerOnce) {
    panel.show();
    const std::vector<int> steps{55, 70, 85, 100, 115, 130, 145};
    for (int item = 0; item < 7; ++item) {
        log.picked.clear();
        panel.names()->setCurrentIndex(item);
        emit panel.names()->activated(item);
        EXPECT_EQ(panel.tempo(), steps[static_cast<std::size_t>(item)]);
        EXPECT_EQ(log.picked, std::vector<int>{steps[static_cast<std::size_t>(item)]});
    }
}

TEST_F(TempoPanel, TheMetronomeMarkFollowsTheTempoHoweverItIsSet) {
    // The stored value is not beats per minute: 100 plays 75 quarter notes a minute.
    EXPECT_EQ(panel.metronomeMark()->text(), QString::fromUtf8("\u2669\u2009=\u200975"));
    panel.number()->setValue(50);
    EXPECT_EQ(panel.metronomeMark()->text(), metronomeMarkText(50));
    panel.setTempo(150);
    EXPECT_EQ(panel.metronomeMark()->text(), metronomeMarkText(150));
    panel.names()->setCurrentIndex(6);
    emit panel.names()->activated(6);
    EXPECT_EQ(panel.metronomeMark()->text(), metronomeMarkText(136)) << "Fast: 145";
    // The widest mark fits: the control never cuts its own number off.
    panel.setTempo(150);
    const QLabel& mark = *panel.metronomeMark();
    EXPECT_GE(mark.width(), mark.sizeHint().width());
    EXPECT_LE(mark.geometry().right(), panel.rect().right());
    EXPECT_GT(mark.x(), panel.number()->geometry().right());
}

TEST_F(TempoPanel, ShowingATempoDoesNotTellTheListener) {
    panel.setTempo(130);
    EXPECT_EQ(panel.tempo(), 130);
    EXPECT_EQ(panel.names()->currentIndex(), 5);
    EXPECT_TRUE(log.picked.empty());
}

TEST_F(TempoPanel, RandomTempoStaysWithinFiftyTo149) {
    TRandomGenerator random;
    for (int i = 0; i < 200; ++i) {
        panel.randomTempo(random);
        EXPECT_GE(panel.tempo(), 50);
        EXPECT_LE(panel.tempo(), 149);
    }
}

TEST(RealButton, APushButtonReportsOnReleaseAndComesBackUp) {
    QWidget owner;
    TRealButton button(&owner, TRect{0, 0, 9, 9}, false, TRealButton::GLYPH_OPAQUE);
    button.resize(20, 20);
    TPressLog log;
    button.setListener(&log);
    owner.show();

    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_TRUE(button.isPressed());
    EXPECT_TRUE(log.pressed.empty());
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_FALSE(button.isPressed());
    EXPECT_EQ(log.pressed, std::vector<QWidget*>{&button});
}

TEST(RealButton, AStickyButtonStaysDownUntilItsOwnerReleasesIt) {
    QWidget owner;
    TRealButton button(&owner, TRect{0, 0, 9, 9}, true, TRealButton::GLYPH_TRANSPARENT);
    button.resize(20, 20);
    owner.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(button.isPressed());
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(button.isPressed());
    button.setPressed(false);
    EXPECT_FALSE(button.isPressed());
}

TEST(RealButton, DrawsItsBevelIntoAnotherPicture) {
    QWidget owner;
    TRealButton button(&owner, TRect{}, false, TRealButton::GLYPH_NONE);
    button.resize(10, 10);
    QImage picture(30, 30, QImage::Format_RGB32);
    picture.fill(Qt::black);
    {
        QPainter painter(&picture);
        button.draw(painter, 5, 5, true);
    }
    EXPECT_EQ(picture.pixelColor(5, 5), QColor(Qt::white)) << "light edge top left";
    EXPECT_EQ(picture.pixelColor(14, 14), QColor(0x80, 0x80, 0x80)) << "dark edge bottom right";
    EXPECT_EQ(picture.pixelColor(9, 9), QColor(212, 208, 200)) << "the common background";
    EXPECT_EQ(picture.pixelColor(4, 4), QColor(Qt::black)) << "nothing outside the button";

    button.setPressed(true);
    {
        QPainter painter(&picture);
        button.draw(painter, 5, 5, true);
    }
    EXPECT_EQ(picture.pixelColor(5, 5), QColor(0x80, 0x80, 0x80)) << "sunken while pressed";
}

class FlatButtons : public ::testing::Test {
protected:
    FlatButtons() {
        first.setGeometry(0, 0, 28, 28);
        second.setGeometry(30, 0, 28, 28);
        first.setListeners(&log, &log);
        owner.resize(80, 40);
        owner.show();
    }
    QWidget owner;
    TFlatGroup group;
    TFlatButtonWithID first{&owner, &group, TRect{}, TRect{}, 1};
    TFlatButtonWithID second{&owner, &group, TRect{}, TRect{}, 2};
    TPressLog log;
};

TEST_F(FlatButtons, OnlyOneButtonOfAGroupIsHot) {
    QTest::mouseMove(&first, QPoint(5, 5));
    EXPECT_TRUE(first.isHot());
    QTest::mouseMove(&second, QPoint(5, 5));
    EXPECT_TRUE(second.isHot());
    EXPECT_FALSE(first.isHot());
    EXPECT_EQ(group.flatButtons().size(), 2u);
}

TEST_F(FlatButtons, PressAndReleaseReachTheirListeners) {
    QTest::mousePress(&first, Qt::LeftButton);
    EXPECT_EQ(log.pressed, std::vector<QWidget*>{&first});
    QTest::mouseRelease(&first, Qt::LeftButton);
    EXPECT_EQ(log.released, std::vector<QWidget*>{&first});
    EXPECT_FALSE(first.isPressed());
}

TEST_F(FlatButtons, AButtonWhosePressOpenedAModalDialogDoesNotStaySunken) {
    struct TModal : TButtonListener {
        void buttonPressed(QWidget* button) override {
            QMessageBox box(QMessageBox::NoIcon, "Title", "Text", QMessageBox::Ok, button);
            // The user lets go of the mouse while the dialog is up, then closes it.
            QTimer::singleShot(0, &box, [&box] {
                QTest::mouseRelease(&box, Qt::LeftButton);
                box.accept();
            });
            box.exec();
        }
    } modal;
    second.setListeners(&modal, nullptr);
    QTest::mousePress(&second, Qt::LeftButton);
    EXPECT_FALSE(second.isPressed());
}

TEST_F(FlatButtons, LeaveTheGroupWhenDestroyed) {
    {
        TFlatButton third(&owner, &group, TRect{}, TRect{});
        EXPECT_EQ(group.flatButtons().size(), 3u);
    }
    EXPECT_EQ(group.flatButtons().size(), 2u);
    QTest::mouseMove(&first, QPoint(5, 5)); // must not touch the destroyed button
    EXPECT_TRUE(first.isHot());
}

TEST(HintPanel, TakesItsGlyphsSizeLessOneAndSwapsGlyphs) {
    THintPanel panel(nullptr, TRect{0, 0, 19, 9}, TRect{20, 0, 49, 29});
    EXPECT_EQ(panel.size(), QSize(19, 9));
    panel.swapGlyphs();
    EXPECT_EQ(panel.glyph(), (TRect{20, 0, 49, 29}));
    EXPECT_EQ(panel.size(), QSize(29, 29));
    panel.swapGlyphs();
    EXPECT_EQ(panel.glyph(), (TRect{0, 0, 19, 9}));
}

} // namespace
