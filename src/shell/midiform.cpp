#include "shell/midiform.h"

#include "files/messagebundle.h"
#include "shell/screencentre.h"
#include "shell/userdialogsinterface.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

namespace {

constexpr int PURPOSE_WIDTH = 360;

} // namespace

TMidiForm::TMidiForm(const TDeviceNames& deviceNames, int current, const TMessageBundle& bundle,
                     TUserDialogsInterface& dialogs, QWidget* parent)
    : QDialog(parent), list_(new QComboBox(this)) {
    setWindowTitle("MIDI Devices");

    // What the choice is for, in one line, above the list.
    auto* purpose = new QLabel(QString::fromUtf8(DEVICE_CHOICE_PURPOSE), this);
    purpose->setWordWrap(true);
    purpose->setMinimumWidth(PURPOSE_WIDTH);
    auto* label = new QLabel("&Output port:", this);
    label->setBuddy(list_);
    // Port names are often longer than the dialog is wide: the open list shows them whole.
    list_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list_->view()->setMinimumWidth(260);

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton("Cancel", this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(purpose);
    layout->addSpacing(4);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->activate();
    centreOnScreen(*this);

    std::vector<std::string> names;
    try {
        names = deviceNames();
    } catch (const std::exception&) {
        dialogs.showMessage(bundle.text("midi device list error"), bundle.text("error"));
        list_->setCurrentIndex(-1);
        return;
    }
    if (names.empty()) {
        dialogs.showMessage(bundle.text("there are no devices"), bundle.text("warning"));
        return;
    }
    for (const std::string& name : names)
        list_->addItem(QString::fromStdString(name));
    const int count = static_cast<int>(names.size());
    list_->setCurrentIndex(current >= 0 && current < count ? current : 0);
}

int TMidiForm::selectedDevice() const {
    return list_->currentIndex();
}
