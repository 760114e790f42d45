#include "help/theoryform.h"

#include "help/forhelpservice.h"
#include "help/helppages.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr int FORM_WIDTH = 660;
constexpr int FORM_HEIGHT = 720;

} // namespace

TTheoryForm::TTheoryForm(QWidget* owner, TForHelpService& help,
                         std::filesystem::path applicationFolder)
    : QWidget(owner, Qt::Window), help_(help), applicationFolder_(std::move(applicationFolder)),
      page_(new QTextBrowser(this)), close_(new QPushButton("&Close", this)) {
    setWindowTitle("Theory");
    setObjectName("theoryForm");
    page_->setOpenLinks(true);
    page_->setOpenExternalLinks(false);
    close_->setToolTip("Hide the theory page");
    close_->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page_);
    layout->addWidget(close_, 0, Qt::AlignRight);
    // Settle the size before the first placement: the placement reads the width.
    ensurePolished();
    layout->activate();
    resize(QSize(FORM_WIDTH, FORM_HEIGHT).expandedTo(minimumSizeHint()));
    connect(close_, &QPushButton::clicked, this, &QWidget::hide);
}

void TTheoryForm::showTheory() {
    const QUrl page = helpPageUrl(applicationFolder_, THEORY_FOLDER, THEORY_PAGE);
    // Read afresh each time, so the page shown is the page installed.
    if (page_->source() == page)
        page_->reload();
    else
        page_->setSource(page);
    show();
    // Placed once shown, when the window's border is known.
    help_.placeAtMenuFrameRight(this);
    raise();
}
