#include "shell/qtdialogs.h"

#include "files/messagebundle.h"
#include "shell/about.h"
#include "shell/midiform.h"
#include "shell/newdialog.h"
#include "widgets/windowplacement.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

TQtDialogs::TQtDialogs(QWidget* owner, const TMessageBundle& bundle, TDeviceNames deviceNames)
    : owner_(owner), bundle_(bundle), deviceNames_(std::move(deviceNames)) {}

void TQtDialogs::showMessage(const std::string& text, const std::string& caption) {
    // The caption says how grave the message is.
    const QMessageBox::Icon icon = caption == bundle_.text("error")     ? QMessageBox::Critical
                                   : caption == bundle_.text("warning") ? QMessageBox::Warning
                                                                        : QMessageBox::Information;
    showMessageBox(owner_, icon, QString::fromStdString(text), QString::fromStdString(caption));
}

bool TQtDialogs::confirm(const std::string& text, const std::string& caption) {
    return showMessageBox(owner_, QMessageBox::Warning, QString::fromStdString(text),
                          QString::fromStdString(caption),
                          QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<std::filesystem::path> TQtDialogs::askSaveName(const TFileChoice& choice) {
    return askFileName(choice, true);
}

std::optional<std::filesystem::path> TQtDialogs::askOpenName(const TFileChoice& choice) {
    return askFileName(choice, false);
}

std::optional<std::filesystem::path> TQtDialogs::askFileName(const TFileChoice& choice,
                                                             bool saving) {
    const QString suffix = QString::fromStdString(choice.suffix);
    QFileDialog dialog(owner_, QString(), QString::fromStdString(choice.folder.string()),
                       QString("(*.%1);;Any file (*)").arg(suffix));
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(suffix);
    // The shell asks its own question before replacing a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

int TQtDialogs::chooseMidiDevice(int current) {
    TMidiForm form(deviceNames_, current, bundle_, *this, owner_);
    if (form.exec() != QDialog::Accepted)
        return -1;
    return form.selectedDevice();
}

void TQtDialogs::showAbout() {
    TAbout about(bundle_, owner_);
    about.exec();
}

TSaveChangesAnswer TQtDialogs::askSaveChanges(const std::string& text, const std::string& caption) {
    const auto box = makeMessageBox(owner_, QMessageBox::Warning, QString::fromStdString(text),
                                    QString::fromStdString(caption),
                                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Save);
    box->setEscapeButton(QMessageBox::Cancel);
    switch (box->exec()) {
    case QMessageBox::Save:
        return TSaveChangesAnswer::Save;
    case QMessageBox::Discard:
        return TSaveChangesAnswer::Discard;
    default:
        return TSaveChangesAnswer::Cancel;
    }
}

std::optional<TPeriodStructure> TQtDialogs::askNewComposition() {
    TNewDialog dialog(owner_, bundle_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.periodStructure();
}

TRecoverAnswer TQtDialogs::askRecover(const std::string& text, const std::string& caption) {
    const auto box = makeMessageBox(owner_, QMessageBox::Question, QString::fromStdString(text),
                                    QString::fromStdString(caption), QMessageBox::NoButton);
    QPushButton* recover =
        box->addButton(QString::fromStdString(bundle_.text("recover")), QMessageBox::AcceptRole);
    QPushButton* discard = box->addButton(QString::fromStdString(bundle_.text("discard")),
                                          QMessageBox::DestructiveRole);
    QPushButton* later =
        box->addButton(QString::fromStdString(bundle_.text("later")), QMessageBox::RejectRole);
    box->setDefaultButton(recover);
    box->setEscapeButton(later);
    box->exec();
    if (box->clickedButton() == recover)
        return TRecoverAnswer::Recover;
    if (box->clickedButton() == discard)
        return TRecoverAnswer::Discard;
    return TRecoverAnswer::Later;
}
