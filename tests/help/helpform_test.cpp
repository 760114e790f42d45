#include "../widgets/widgetstesting.h"

#include "files/engmessagebundle.h"
#include "help/helpform.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

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

} // namespace
