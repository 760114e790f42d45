#pragma once

#include "canvas/umotiveinterface.h"
#include "variants/clipmaker.h"

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class TVariantSession;

// One half of the variant view: what it offers for the model's cursor, how it follows the
// pointer, and how it draws itself. Coordinates given to track are view pixels; paint draws
// into a half of 240 x 450 with its origin at the half's top-left corner. Interface thread
// only.
class TVariantStrategy : public TClipMakerListener {
public:
    explicit TVariantStrategy(TVariantSession& session) : session_(session) {}
    TVariantStrategy(const TVariantStrategy&) = delete;
    TVariantStrategy& operator=(const TVariantStrategy&) = delete;

    void regionEvent(int) override {}
    ~TVariantStrategy() override = default;
    virtual void paint(QPainter& painter, int side) = 0;
    // Nothing is left to choose in this half.
    virtual bool isComplete() const = 0;
    // Builds the variants for the cursor at `position`.
    virtual void start(int position) = 0;
    virtual void leave(int side) = 0;
    virtual void track(const TShiftState& shift, int x, int y, int side) = 0;
    virtual void enter(int side) = 0;
    virtual bool hasVariants() const = 0;
    // The one line under the half: what a release keeps now.
    virtual QString caption() const = 0;

protected:
    TVariantSession& session_;
};

// Shared painting of both strategies.
namespace variantpaint {
// The half's frame: face colour, a white working area, the header line and the caption box.
void drawFrame(QPainter& painter, const QString& header, const QString& caption, bool active,
               int side);
// The font and the text that fit a caption into `box`: the caption's own size on one line, else
// a smaller size on two lines, else the smaller size on one line cut with an ellipsis.
struct TCaptionFit {
    QFont font;
    QString text;
    bool wrapped = false;
};
TCaptionFit fitCaption(const QFont& font, const QString& caption, const QRect& box);
// A faint vertical line on the middle edge of the half, where the columns are counted from.
void drawMiddleEdge(QPainter& painter, int side);
} // namespace variantpaint
