#include "shell/midiform.h"

#include "files/messagebundle.h"
#include "shell/screencentre.h"
#include "shell/userdialogsinterface.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <exception>

TMidiForm::TMidiForm(const TDeviceNames& deviceNames, int current, const TMessageBundle& bundle,
                     TUserDialogsInterface& dialogs, QWidget* parent)
    : QDialog(parent), list_(new QComboBox(this)) {
    setWindowTitle("MIDI Devices");
    setFixedSize(167, 81);
    centreOnScreen(*this);

    auto* label = new QLabel("Select output port:", this);
    label->move(5, 5);
    label->adjustSize();
    list_->setGeometry(5, 24, 157, 21);
    // Port names are often longer than the dialog is wide: the open list shows them whole.
    list_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list_->view()->setMinimumWidth(260);

    auto* ok = new QPushButton("OK", this);
    ok->setGeometry(5, 51, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setGeometry(87, 51, 75, 25);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

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
