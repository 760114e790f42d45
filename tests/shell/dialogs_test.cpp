#include "shelltesting.h"

#include "files/engmessagebundle.h"
#include "files/settings.h"
#include "playback/mididevices.h"
#include "shell/about.h"
#include "shell/midiform.h"
#include "shell/newdialog.h"
#include "shell/qtdialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

std::vector<std::string> listed(const TMidiForm& form) {
    std::vector<std::string> names;
    for (int i = 0; i < form.deviceList()->count(); ++i)
        names.push_back(form.deviceList()->itemText(i).toStdString());
    return names;
}

TMidiForm::TDeviceNames threeDevices() {
    return [] { return std::vector<std::string>{"synth", "port A", "port B"}; };
}

class DeviceDialog : public ::testing::Test {
protected:
    TEngMessageBundle bundle;
    TScriptedDialogs dialogs;
};

TEST_F(DeviceDialog, ListsTheBuiltInSynthesizerFirstThenTheSystemPorts) {
    const auto devices = makeSystemDevices();
    TMidiForm form([&] { return devices->deviceNames(); }, -1, bundle, dialogs);
    const std::vector<std::string> names = listed(form);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "Built-in synthesizer");
    EXPECT_EQ(names, devices->deviceNames());
    EXPECT_EQ(form.selectedDevice(), 0);
    EXPECT_EQ(form.windowTitle(), "MIDI Devices");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DeviceDialog, AtTheFirstStartPreselectsTheBuiltInSynthesizerAndSaysWhatItChooses) {
    const auto devices = makeSystemDevices();
    TMidiForm form([&] { return devices->deviceNames(); }, NO_MIDI_DEVICE, bundle, dialogs);
    form.show();
    EXPECT_EQ(form.deviceList()->currentText(), "Built-in synthesizer");
    QStringList shown;
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        if (label->isVisible())
            shown << label->text();
    }
    EXPECT_TRUE(shown.contains(DEVICE_CHOICE_PURPOSE)) << shown.join(" | ").toStdString();
    // The whole sentence is on the screen, not cut off by the dialog's edge.
    for (const QLabel* label : form.findChildren<QLabel*>())
        EXPECT_TRUE(form.rect().contains(label->geometry())) << label->text().toStdString();
}

TEST_F(DeviceDialog, SelectsTheCurrentDeviceOrElseTheFirst) {
    for (const auto& [current, selected] :
         std::vector<std::pair<int, int>>{{2, 2}, {1, 1}, {5, 0}, {3, 0}, {-1, 0}}) {
        TMidiForm form(threeDevices(), current, bundle, dialogs);
        EXPECT_EQ(form.selectedDevice(), selected) << "current " << current;
    }
}

TEST_F(DeviceDialog, ReportsAnEmptyListAndSelectsNothing) {
    TMidiForm form([] { return std::vector<std::string>{}; }, 0, bundle, dialogs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "There are no MIDI devices");
    EXPECT_EQ(dialogs.messages[0].caption, "Warning");
    EXPECT_EQ(form.selectedDevice(), -1);
}

TEST_F(DeviceDialog, ReportsAListThatCannotBeReadAndSelectsNothing) {
    TMidiForm form([]() -> std::vector<std::string> { throw std::runtime_error("no driver"); }, 0,
                   bundle, dialogs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "The error occurs while loading of the Midi Devices list");
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
    EXPECT_EQ(form.selectedDevice(), -1);
}

TEST_F(DeviceDialog, OkAcceptsTheChoiceAndCancelRejects) {
    for (const char* button : {"OK", "Cancel"}) {
        TMidiForm form(threeDevices(), 0, bundle, dialogs);
        form.deviceList()->setCurrentIndex(2);
        form.show();
        for (QPushButton* push : form.findChildren<QPushButton*>()) {
            if (push->text() == button)
                QTest::mouseClick(push, Qt::LeftButton);
        }
        EXPECT_EQ(form.result(),
                  button == std::string("OK") ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(form.selectedDevice(), 2);
    }
}

TEST(AboutBox, ShowsTheProductAndVersionAndClosesOnOk) {
    TEngMessageBundle bundle;
    TAbout about(bundle);
    EXPECT_EQ(about.windowTitle(), "About");
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("The Tonaria"));
    EXPECT_TRUE(texts.contains(QString::fromStdString(versionLine())));
    EXPECT_TRUE(QString::fromStdString(versionLine()).startsWith("Version 0.1"));

    about.show();
    const auto buttons = about.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "Ok");
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

// Runs `answer` on the modal dialog that the next exec brings up.
template <typename Dialog, typename Answer> void answerNextModal(Answer answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

TEST(QtDialogs, TheNewCompositionDialogGivesItsPeriodOnOkOnly) {
    TEngMessageBundle bundle;
    TQtDialogs dialogs(nullptr, bundle, {});
    answerNextModal<TNewDialog>([](TNewDialog& dialog) { dialog.cancelButton()->click(); });
    EXPECT_FALSE(dialogs.askNewComposition().has_value());

    answerNextModal<TNewDialog>([](TNewDialog& dialog) {
        dialog.templateChoice()->setCurrentIndex(6);
        emit dialog.templateChoice()->activated(6);
        dialog.okButton()->click();
    });
    const auto structure = dialogs.askNewComposition();
    ASSERT_TRUE(structure.has_value());
    EXPECT_EQ(structure->phraseCounts, (std::vector<int>{3}));
    EXPECT_EQ(structure->letters, (std::vector<std::uint8_t>{5, 6, 11}));
}

TEST(QtDialogs, TheSaveQuestionOffersSaveDiscardAndCancel) {
    TEngMessageBundle bundle;
    TQtDialogs dialogs(nullptr, bundle, {});
    const std::vector<std::pair<QMessageBox::StandardButton, TSaveChangesAnswer>> answers{
        {QMessageBox::Save, TSaveChangesAnswer::Save},
        {QMessageBox::Discard, TSaveChangesAnswer::Discard},
        {QMessageBox::Cancel, TSaveChangesAnswer::Cancel}};
    for (const auto& [button, expected] : answers) {
        answerNextModal<QMessageBox>([button = button](QMessageBox& box) {
            EXPECT_EQ(box.text(), "Save changes to song.tnr?");
            EXPECT_EQ(box.windowTitle(), "The Tonaria");
            EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Save));
            box.button(button)->click();
        });
        EXPECT_EQ(dialogs.askSaveChanges("Save changes to song.tnr?", "The Tonaria"), expected);
    }
    answerNextModal<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.askSaveChanges("Save changes to song.tnr?", "The Tonaria"),
              TSaveChangesAnswer::Cancel);
}

} // namespace
