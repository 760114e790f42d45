#include "strip/periodpanelcontrols.h"

#include "canvas/umotivecanvas.h"
#include "files/messagebundle.h"
#include "model/glyphatlas.h"
#include "model/phrasedata.h"
#include "strip/periodpanelcells.h"
#include "widgets/drawing.h"
#include "widgets/resources.h"

#include <QHeaderView>
#include <QPixmap>

#include <algorithm>
#include <stdexcept>

namespace {

// The mode buttons from the left: the hint key and the canvas mode each chooses.
struct TModeButton {
    const char* hintKey;
    int mode;
};
constexpr TModeButton MODE_BUTTONS[] = {
    {"select notes", TUMotiveCanvas::MODE_EDIT},
    {"select chords", TUMotiveCanvas::MODE_NEW_CHORD},
    {"select chords under notes", TUMotiveCanvas::MODE_CHORD},
    {"delete notes", TUMotiveCanvas::MODE_DELETE},
    {"generate motive", TUMotiveCanvas::MODE_LIGHT},
};
constexpr int BUTTON_WIDTH = 21;
constexpr int BUTTON_HEIGHT = 37;
constexpr int BUTTON_GAP = 4;

QString textOf(const TMessageBundle& bundle, const char* key) {
    return QString::fromStdString(bundle.text(key));
}

} // namespace

TButtonGroupPanel::TButtonGroupPanel(QWidget* parent, const TMessageBundle& bundle)
    : QWidget(parent) {
    setFixedSize(150, BUTTON_HEIGHT);
    group_.setExclusive(true);
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        const TModeButton& kind = MODE_BUTTONS[i];
        auto* button = new TRealButton(this, modeGlyph(i + 1), true, TRealButton::GLYPH_OPAQUE);
        button->setGeometry(i * (BUTTON_WIDTH + BUTTON_GAP), 0, BUTTON_WIDTH, BUTTON_HEIGHT);
        button->setHint(textOf(bundle, kind.hintKey));
        group_.addButton(button, kind.mode);
        buttons_[static_cast<std::size_t>(i)] = button;
    }
    connect(&group_, &QButtonGroup::idClicked, this, &TButtonGroupPanel::modeClicked);
    // Canvases start in "select notes".
    buttons_[0]->setPressed(true);
}

TRealButton* TButtonGroupPanel::button(int n) const {
    return n >= 1 && n <= BUTTON_COUNT ? buttons_[static_cast<std::size_t>(n - 1)] : nullptr;
}

void TButtonGroupPanel::pressButton(int n) {
    TRealButton* chosen = button(n);
    if (!chosen || chosen->isPressed())
        return;
    chosen->setPressed(true);
    modeClicked(group_.id(chosen));
}

void TButtonGroupPanel::pressMode(int mode) {
    if (auto* chosen = qobject_cast<TRealButton*>(group_.button(mode)))
        pressButton(static_cast<int>(std::find(buttons_.begin(), buttons_.end(), chosen) -
                                     buttons_.begin()) +
                    1);
}

void TButtonGroupPanel::modeClicked(int mode) {
    if (listener_)
        listener_->modeChosen(mode);
}

TNavigationTree::TNavigationTree(QWidget* parent, const TMessageBundle& bundle)
    : QTreeWidget(parent), bundle_(bundle) {
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(16, 16));
    setIndentation(12);
    setFixedWidth(WIDTH);
    setAccessibleName(textOf(bundle, "period"));
    connect(this, &QTreeWidget::itemClicked, this, &TNavigationTree::nodeClicked);
    connect(this, &QTreeWidget::itemActivated, this, &TNavigationTree::scrollToNode);
    // The arrow keys move the current node: the strip follows as it does a click.
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (hasFocus())
            scrollToNode(current);
    });
}

namespace {

// The same picture whether the node is selected or not, on the tree's own background.
QIcon diamond(int image) {
    try {
        const QImage& sheet = TResourceFactory::shared().glyphSheet();
        const TRect glyph = diamondGlyph(image);
        QImage cut = cutGlyph(sheet, glyph).convertToFormat(QImage::Format_ARGB32);
        // The sheet's white around the diamond would show as a box on a selected node.
        for (int y = 0; y < cut.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(cut.scanLine(y));
            for (int x = 0; x < cut.width(); ++x)
                if (qRed(row[x]) == 255 && qGreen(row[x]) == 255 && qBlue(row[x]) == 255)
                    row[x] = qRgba(0, 0, 0, 0);
        }
        const QPixmap picture = QPixmap::fromImage(cut);
        QIcon icon;
        icon.addPixmap(picture, QIcon::Normal);
        icon.addPixmap(picture, QIcon::Selected);
        return icon;
    } catch (const std::runtime_error&) {
        return {}; // no sheet: the outline still works without its diamonds
    }
}

QTreeWidgetItem* addNode(QTreeWidgetItem* parent, QTreeWidget* tree, const QString& text,
                         const QIcon& image, int left) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, text);
    item->setIcon(0, image);
    item->setData(0, Qt::UserRole, left);
    return item;
}

} // namespace

void TNavigationTree::rebuild(const TBaseViewNode& period) {
    clear();
    if (diamonds_[0].isNull()) {
        for (int image = 0; image < 4; ++image)
            diamonds_[static_cast<std::size_t>(image)] = diamond(image);
    }
    const QString periodText = textOf(bundle_, "period");
    const QString sentenceText = textOf(bundle_, "sentence");
    const QString phraseText = textOf(bundle_, "phrase");
    const QString motiveText = textOf(bundle_, "motive");
    QTreeWidgetItem* root = addNode(nullptr, this, periodText, diamonds_[0], period.column()->x());
    int sentenceIndex = 0;
    for (const TBaseViewNode* sentence : period.children()) {
        const QString label = QString::fromStdString(suffixText(sentenceIndex % 4 + 1));
        QTreeWidgetItem* sentenceItem =
            addNode(root, this, sentenceText + " " + label, diamonds_[1], sentence->column()->x());
        for (const TBaseViewNode* phrase : sentence->children()) {
            const QString letter =
                QString::fromStdString(suffixText(phrase->column()->box()->labelCode()));
            QTreeWidgetItem* phraseItem = addNode(sentenceItem, this, phraseText + " " + letter,
                                                  diamonds_[2], phrase->column()->x());
            int number = 1;
            for (const TUMotiveSet* cell : phrase->cells())
                addNode(phraseItem, this, motiveText + " " + QString::number(number++),
                        diamonds_[3], cell->x());
        }
        ++sentenceIndex;
    }
    expandAll();
}

void TNavigationTree::nodeClicked(QTreeWidgetItem* item) {
    if (!item)
        return;
    scrollToNode(item);
    clearSelection();
}

void TNavigationTree::scrollToNode(const QTreeWidgetItem* item) {
    if (item && listener_)
        listener_->scrollTo(item->data(0, Qt::UserRole).toInt());
}
