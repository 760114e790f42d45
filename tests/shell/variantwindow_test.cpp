#include "shelltesting.h"

#include "canvas/umotivecanvas.h"
#include "playback/recordingbackend.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"
#include "shell/wtonaria.h"
#include "strip/periodpanel.h"
#include "variants/variantview.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

class VariantWindow : public ::testing::Test {
protected:
    std::unique_ptr<TMainWindow> start() {
        return std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs);
    }

    static void send(TUMotiveCanvas* canvas, QEvent::Type type, Qt::MouseButton button,
                     Qt::MouseButtons buttons) {
        const QPoint at(40, 60);
        QMouseEvent event(type, QPointF(at), QPointF(canvas->mapToGlobal(at)), button, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &event);
    }

    TTempFolder folder;
    TRecordingBackend devices{2};
    TScriptedDialogs dialogs;
    TTopFrame frame;
};

TEST_F(VariantWindow, ExistsHiddenFromTheStartWithTheViewInsideAMargin) {
    const auto window = start();
    TWTonaria* vaz = window->variantWindow();
    ASSERT_NE(vaz, nullptr);
    EXPECT_EQ(vaz->windowTitle(), "VAZ");
    EXPECT_FALSE(vaz->isVisible());
    EXPECT_FALSE(window->variantWindowBusy());
    EXPECT_EQ(vaz->size(), QSize(490, 460));
    EXPECT_GE(window->variantWindowWidth(), 490);
    ASSERT_NE(window->variantView(), nullptr);
    EXPECT_EQ(window->variantView()->geometry(), QRect(5, 5, 480, 450));
    EXPECT_EQ(window->variantView()->objectName(), "TVariantView");
    EXPECT_EQ(window->variantDisplay(), window->variantView());
    // The pace of the previews can be set while the view is in use.
    EXPECT_TRUE(frame.cursorDelay()->isVisibleTo(&frame));
    EXPECT_FALSE(frame.cursorDelay()->toolTip().isEmpty());
}

TEST_F(VariantWindow, APressOnACellOpensItAndTheReleaseClosesIt) {
    const auto window = start();
    window->show();
    TUMotiveCanvas* canvas = window->periodPanel()->motiveCells()[0]->canvas();
    canvas->setMode(TUMotiveCanvas::MODE_NEW_CHORD);
    send(canvas, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(window->variantWindowBusy());
    EXPECT_TRUE(window->variantView()->isOpen());
    send(canvas, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(window->variantWindowBusy());
    EXPECT_FALSE(window->variantView()->isOpen());
}

TEST_F(VariantWindow, AnUpdateThatFindsTheButtonUpEndsTheChoice) {
    // The release went elsewhere: the posted update notices and finishes the choice.
    const auto window = start();
    window->show();
    TUMotiveCanvas* canvas = window->periodPanel()->motiveCells()[1]->canvas();
    canvas->setMode(TUMotiveCanvas::MODE_NEW_CHORD);
    send(canvas, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(window->variantView()->isOpen());
    window->messageWindow().post(MESSAGE_VARIANT_UPDATE, 1, 0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->variantView()->isOpen());
    EXPECT_FALSE(window->variantWindowBusy());
    EXPECT_FALSE(canvas->pointerPressed());
    EXPECT_EQ(canvas->variantModel(), nullptr);
}

TEST_F(VariantWindow, ClosingTheMainWindowDuringAChoiceEndsItFirst) {
    auto window = start();
    TUMotiveCanvas* canvas = window->periodPanel()->motiveCells()[0]->canvas();
    send(canvas, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(window->variantView()->isOpen());
    EXPECT_NO_THROW(window.reset());
}

} // namespace
