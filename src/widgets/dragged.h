#pragma once

#include <QMimeData>
#include <QPointer>
#include <QWidget>

// A drag handle: pressing it and moving the pointer starts a drag of the control it stands
// for (a motive canvas, an item button). Drop targets ask the dragged handle for its source.
class TDragged : public QWidget {
    Q_OBJECT
public:
    static constexpr int WIDTH = 11;
    // The mime type of every drag that a handle starts; the data is the handle's address as
    // text, for inspection only: receivers use draggedFrom.
    static const char* const MIME_TYPE;

    TDragged(QWidget* parent, QWidget* source);

    QWidget* source() const { return source_; }
    void setSource(QWidget* source) { source_ = source; }

    // The handle a drag carries, or null when the drag did not come from a handle of this
    // program (or the handle is gone).
    static TDragged* draggedFrom(const QMimeData* data);
    // Draws the handle's face into any area: a bevelled fill with a 3 x 11 grip in the middle.
    static void drawHandle(QPainter& painter, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QPointer<QWidget> source_;
    QPoint pressAt_;
    bool pressed_ = false;
};

// The payload of a handle's drag.
class TDraggedMimeData : public QMimeData {
    Q_OBJECT
public:
    explicit TDraggedMimeData(TDragged* dragged);
    TDragged* dragged() const { return dragged_; }

private:
    QPointer<TDragged> dragged_;
};
