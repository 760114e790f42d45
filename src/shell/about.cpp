#include "shell/about.h"

#include "files/messagebundle.h"
#include "shell/screencentre.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

std::string versionLine() {
    return std::string("Version ") + TONARIA_VERSION + ", " + TONARIA_RELEASE_DATE;
}

TAbout::TAbout(const TMessageBundle& bundle, QWidget* parent) : QDialog(parent) {
    setWindowTitle("About");
    setFixedSize(171, 144);
    centreOnScreen(*this);

    auto* name = new QLabel(QString::fromStdString(bundle.text("thetonaria")), this);
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    name->setFont(bold);
    name->setGeometry(0, 40, 171, 24);
    name->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    auto* version = new QLabel(QString::fromStdString(versionLine()), this);
    version->setObjectName("versionLine");
    version->setGeometry(0, 70, 171, 20);
    version->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    auto* ok = new QPushButton("Ok", this);
    ok->setGeometry(48, 110, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
