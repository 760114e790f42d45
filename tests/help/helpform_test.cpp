#include "../widgets/widgetstesting.h"

#include "files/engmessagebundle.h"
#include "help/helpform.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

TEST(HelpForm, AnyKeyAnywhereCancelsAndReachesNothingElse) {
    ensureWidgetApplication();
    TEngMessageBundle bundle;
    QWidget window;
    auto* field = new QLineEdit(&window);
    THelpForm form(&window, bundle);
    window.show();
    form.show();
    EXPECT_EQ(form.windowTitle(), "PRESS ANY KEY TO CANCEL");
    EXPECT_EQ(form.size(), QSize(285, 135));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form.isCancelled());

    QTest::keyClicks(field, "ab");
    EXPECT_TRUE(form.isCancelled());
    EXPECT_EQ(form.windowTitle(), "CANCELLING");
    EXPECT_TRUE(field->text().isEmpty()) << "the key went on to the application";
}

TEST(HelpForm, TheDemonstrationsOwnPressesPassAndTheFilterGoesWithTheForm) {
    ensureWidgetApplication();
    TEngMessageBundle bundle;
    QWidget window;
    auto* button = new QPushButton("Play", &window);
    QSignalSpy clicked(button, &QPushButton::clicked);
    auto form = std::make_unique<THelpForm>(&window, bundle);
    window.show();
    // The user's click is kept from the application; the presses the demonstration sends pass.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 0);
    const QPointF centre = button->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, button->mapToGlobal(centre),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &release);
    EXPECT_EQ(clicked.count(), 1);
    form.reset();
    auto* field = new QLineEdit(&window);
    field->show();
    QTest::keyClicks(field, "ab");
    EXPECT_EQ(field->text(), "ab");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 2);
}

TEST(HelpForm, NoTooltipComesUpWhileItIsThere) {
    ensureWidgetApplication();
    TEngMessageBundle bundle;
    QWidget window;
    auto* button = new QPushButton("Play", &window);
    button->setToolTip("Plays the motive");
    window.show();
    QHelpEvent ask(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
    {
        THelpForm form(&window, bundle);
        QApplication::sendEvent(button, &ask);
        EXPECT_FALSE(QToolTip::isVisible());
    }
    // Afterwards the application's tooltips answer again.
    QHelpEvent again(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(button, &again);
    EXPECT_TRUE(QToolTip::isVisible());
    QToolTip::hideText();
}

TEST(HelpFormPlace, KeepsClearOfWhatItWouldCoverAndStaysOnTheScreen) {
    const QSize size(300, 160);
    const QRect screen(0, 0, 1280, 1024);
    const std::vector<QPoint> places{{0, 0}, {980, 0}, {980, 864}, {0, 864}};
    // Covering nothing, it stays where it is.
    EXPECT_EQ(placeClearOf(size, {0, 0}, QRect(400, 300, 200, 100), places, screen), QPoint(0, 0));
    // Over the control, it takes the first place that is clear.
    EXPECT_EQ(placeClearOf(size, {0, 0}, QRect(100, 100, 50, 30), places, screen), QPoint(980, 0));
    // A wide window over the top: the first clear place below.
    EXPECT_EQ(placeClearOf(size, {0, 0}, QRect(0, 0, 1280, 500), places, screen), QPoint(980, 864));
    // A place that would leave the screen is no place.
    EXPECT_EQ(placeClearOf(size, {0, 0}, QRect(100, 100, 50, 30), {{1100, 0}, {0, 500}}, screen),
              QPoint(0, 500));
    // Nothing clear: it stays.
    EXPECT_EQ(placeClearOf(size, {5, 5}, screen, places, screen), QPoint(5, 5));
}

} // namespace
