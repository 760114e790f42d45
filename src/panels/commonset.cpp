#include "panels/commonset.h"

#include "canvas/baseservice.h"
#include "canvas/motivecanvas.h"
#include "engine/scheme.h"
#include "engine/schemecommand.h"
#include "files/messagebundle.h"
#include "model/glyphatlas.h"
#include "model/period.h"
#include "panels/contrastmenuform.h"
#include "panels/deleter.h"
#include "panels/gatherer.h"
#include "panels/groupbuttons.h"
#include "panels/modechooser.h"
#include "widgets/dragged.h"
#include "widgets/drawing.h"
#include "widgets/hintpanel.h"

#include <QDragEnterEvent>
#include <QKeyEvent>

namespace {

constexpr int MARGIN = 6;
constexpr int ITEM_ROW_TOP = 68;
// The gatherer stands this far below the top of the item row's height.
constexpr int GATHERER_OFFSET = 73;
constexpr int COMMAND_ROW_HEIGHT = 14;
constexpr int COMMAND_ROW_GAP = 1;
constexpr int CATEGORY_ROWS = 3;
constexpr int COMMAND_COLUMNS = 5;
constexpr int FIGURE_GAP = 4;
constexpr int SHOW_BUTTON_HEIGHT = 22;

TRect contrastFigureGlyph(bool set) {
    return glyphRect(set ? TGlyph::ContrastFigureSet : TGlyph::ContrastFigure);
}

TRect showContrastGlyph() {
    return glyphRect(TGlyph::ShowContrast);
}

QString text(const TBaseService& service, const std::string& key) {
    return QString::fromStdString(const_cast<TBaseService&>(service).messageBundle().text(key));
}

} // namespace

TCommonSet::TCommonSet(QWidget* owner, TBaseService& service, TScheme& scheme, int firstCommand)
    : QWidget(owner), service_(service), scheme_(scheme), firstCommand_(firstCommand),
      flatGroup_(new TFlatGroup(this)), itemGroup_(new TGroup(TGroup::SEQUENCE)) {
    paintBackground(*this);
}

TCommonSet::~TCommonSet() {
    // The items go with this widget after this body; the group lets go of them first.
    delete itemGroup_;
}

void TCommonSet::build(TGatherer* gatherer) {
    gatherer_ = gatherer;
    chooser_ = new TModeChooser(this, service_.messageBundle());
    chooser_->move(MARGIN, MARGIN);
    chooser_->setListener(this);

    deleter_ = new TDeleter(this);
    deleter_->setToolTip(text(service_, "deleter hint"));

    figure_ = new THintPanel(this, contrastFigureGlyph(false));
    figure_->setToolTip(text(service_, "motive for contrast"));
    figure_->setAccessibleName(figure_->toolTip());
    figure_->setAcceptDrops(true);
    figure_->installEventFilter(this);

    showButton_ = new TRealButton(this, showContrastGlyph(), false, TRealButton::GLYPH_TRANSPARENT);
    showButton_->setHint(text(service_, "show motive for contrast"));
    showButton_->setListener(this);
    showButton_->setAcceptDrops(true);
    showButton_->installEventFilter(this);

    for (int position = 0; position < COMMAND_COUNT; ++position) {
        const TSchemeCommandEntry& entry = *schemeCommandEntry(firstCommand_ + position);
        auto* button = new TFlatButtonWithID(this, flatGroup_, schemeCommandGlyph(entry.command),
                                             schemeCommandGlyph(entry.command), entry.command);
        button->setHint(text(service_, entry.hintKey));
        button->setListeners(this, this);
        buttons_[std::size_t(position)] = button;
    }
}

void TCommonSet::placeCommandButtons(int left) {
    const int columnWidth = (width() - left - MARGIN) / COMMAND_COLUMNS;
    for (int position = 0; position < COMMAND_COUNT; ++position) {
        // Categories fill the columns top to bottom; the scheme buttons stand in the row below.
        const TSchemeCommandEntry& entry = *schemeCommandEntry(firstCommand_ + position);
        const int row = entry.row;
        const int top =
            MARGIN + row * (COMMAND_ROW_HEIGHT + COMMAND_ROW_GAP) + (row == CATEGORY_ROWS ? 2 : 0);
        buttons_[std::size_t(position)]->setGeometry(left + entry.category * columnWidth, top,
                                                     columnWidth - 1, COMMAND_ROW_HEIGHT);
    }
}

void TCommonSet::addItem(TGroupButton* item, bool visible) {
    auto* handle = new TDragged(this, item);
    item->installEventFilter(this);
    itemGroup_->add(item);
    items_.push_back(item);
    itemHandles_.push_back(handle);
    item->setVisible(visible);
    handle->setVisible(visible);
}

int TCommonSet::layOutItemRow() {
    int x = MARGIN;
    int height = 0;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        TGroupButton* item = items_[i];
        if (item->isHidden())
            continue;
        const QSize size = item->sizeHint();
        itemHandles_[i]->setGeometry(x, ITEM_ROW_TOP, TDragged::WIDTH, size.height());
        x += TDragged::WIDTH;
        item->setGeometry(x, ITEM_ROW_TOP, size.width(), size.height());
        x += size.width();
        height = std::max(height, size.height());
    }
    // The row keeps the width of its widest content, so that switching the row between notes
    // and rests moves nothing else.
    itemRowRight_ = std::max(itemRowRight_, x);
    return height;
}

void TCommonSet::layOutBody() {
    placeCommandButtons(chooser_->geometry().right() + 1 + 2 * MARGIN);
    const int rowHeight = layOutItemRow();
    const int rowWidth = itemRowRight_ - MARGIN;
    const int top = rowHeight + GATHERER_OFFSET;
    const int gathererHeight = height() - top - TDeleter::HEIGHT - MARGIN;
    gatherer_->setGeometry(MARGIN, top, rowWidth, std::max(gathererHeight, 0));
    deleter_->setGeometry(MARGIN, top + gatherer_->height(), rowWidth, TDeleter::HEIGHT);
    const int right = itemRowRight_ + FIGURE_GAP;
    const int columnWidth = std::max(width() - right - MARGIN, figure_->width());
    figure_->move(right + (columnWidth - figure_->width()) / 2, top);
    showButton_->setGeometry(right, figure_->geometry().bottom() + 1 + FIGURE_GAP, columnWidth,
                             SHOW_BUTTON_HEIGHT);
}

void TCommonSet::resizeEvent(QResizeEvent*) {
    if (gatherer_ != nullptr)
        layOutBody();
}

TFlatButtonWithID* TCommonSet::commandButton(int position) const {
    return position >= 0 && position < COMMAND_COUNT ? buttons_[std::size_t(position)] : nullptr;
}

TFlatButtonWithID* TCommonSet::buttonOfCommand(int id) const {
    return commandButton(id - firstCommand_);
}

void TCommonSet::buttonPressed(QWidget* button) {
    if (button == chooser_) {
        gatherer_->setMode(chooser_->mode());
        gatherer_->apply();
        return;
    }
    if (button == showButton_) {
        showContrastMotive(this, showButton_->mapToGlobal(showButton_->rect().center()), service_,
                           contrastMotive());
        return;
    }
    if (auto* command = qobject_cast<TFlatButtonWithID*>(button))
        runCommand(command);
}

void TCommonSet::runCommand(TFlatButtonWithID* button) {
    const int shown = scheme_.runCommand(button->id(), service_.period().measure(), inOrder());
    if (shown < 0)
        return;
    TFlatButtonWithID* category = buttonOfCommand(shown);
    if (category == nullptr)
        return;
    if (pressed_ != nullptr && pressed_ != category)
        pressed_->setPressed(false);
    pressed_ = category;
    pressedBy_ = button;
    category->setPressed(true);
}

void TCommonSet::pressCommand(int command) {
    if (TFlatButtonWithID* button = buttonOfCommand(command)) {
        runCommand(button);
        buttonReleased(button);
    }
}

void TCommonSet::buttonReleased(QWidget* button) {
    // The contrast button's own release must leave the category it generated lit.
    if (button == pressedBy_ && button != pressed_)
        return;
    releasePressed();
}

void TCommonSet::releasePressed() {
    if (pressed_ != nullptr)
        pressed_->setPressed(false);
    pressed_ = nullptr;
    pressedBy_ = nullptr;
}

void TCommonSet::schemeChanged() {
    gatherer_->reloadFromScheme();
    chooser_->setMode(gatherer_->mode());
}

void TCommonSet::schemeModeChanged() {
    const int mode = inOrder() ? TModeChooser::IN_ORDER_MODE : TModeChooser::SET_MODE;
    if (chooser_->mode() != mode)
        chooser_->setMode(mode);
}

void TCommonSet::setMotive(const TMotive& motive) {
    gatherer_->takeFromMotive(motive);
    chooser_->setMode(gatherer_->mode());
}

void TCommonSet::refreshContrastFigure() {
    figure_->setGlyph(contrastFigureGlyph(!contrastMotive().isEmpty()));
    figure_->update();
}

bool TCommonSet::acceptsContrastDrop(const QMimeData* data) const {
    TDragged* dragged = TDragged::draggedFrom(data);
    return dragged != nullptr && qobject_cast<TMotiveCanvas*>(dragged->source()) != nullptr;
}

bool TCommonSet::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        // Enter on an item of the row adds it (with the selected ones) to the gatherer, as a
        // drag onto the gatherer does.
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* item = qobject_cast<TGroupButton*>(watched);
        if (item != nullptr && item->group() == itemGroup_ &&
            (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            gatherer_->drop(gatherer_, item);
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    if ((watched != figure_ && watched != showButton_) ||
        (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop))
        return QWidget::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    if (!acceptsContrastDrop(drop->mimeData())) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        auto* canvas =
            qobject_cast<TMotiveCanvas*>(TDragged::draggedFrom(drop->mimeData())->source());
        contrastMotive() = canvas->motive();
        refreshContrastFigure();
        service_.contrastMotivesChanged();
    }
    return true;
}
