#pragma once

#include "widgets/buttons.h"

#include <QString>

// A flat button with a number that shows a caption instead of a glyph ("Play", "More").
class TCaptionButton : public TFlatButtonWithID {
    Q_OBJECT
public:
    static constexpr int HEIGHT = 21;

    TCaptionButton(QWidget* owner, TFlatGroup* group, const QString& caption, const QString& hint,
                   int id);

    const QString& caption() const { return caption_; }
    // Caption plus 8 pixels on each side, at least 44 wide.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};
