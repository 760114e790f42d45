#pragma once

#include <QWidget>

// A strip of "delete" glyphs: an item of a gatherer dragged onto it leaves that gatherer,
// together with the items selected there.
class TDeleter : public QWidget {
    Q_OBJECT
public:
    static constexpr int HEIGHT = 26;

    explicit TDeleter(QWidget* owner);

    // Whether the dragged control is an item of a gatherer.
    static bool accepts(const QWidget* source);
    // Deletes the dragged item and the selected items of its gatherer.
    static void dropped(QWidget* source);

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
