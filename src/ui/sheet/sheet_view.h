#pragma once

// The drawing panel of the main window: the sheet's image, shown as painted off-screen, and the two
// scroll bars. It computes nothing: the window paints the image and handles the mouse.
#include <QImage>
#include <QWidget>

#include <functional>

class QScrollBar;

namespace ixo {

class SheetSurface : public QWidget {
public:
    explicit SheetSurface(QWidget* parent);
    void SetImage(QImage image);
    const QImage& Image() const { return m_image; }

    std::function<void(QMouseEvent*)> onPress;
    std::function<void(QMouseEvent*)> onMove;
    std::function<void(QMouseEvent*)> onRelease;
    std::function<void()> onResize;
    std::function<void(QMouseEvent*)> onDoubleClick;
    std::function<void(QWheelEvent*)> onWheel;
    // Answers whether the key was taken.
    std::function<bool(QKeyEvent*)> onKey;
    std::function<void(QContextMenuEvent*)> onContextMenu;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QImage m_image;
};

class SheetView : public QWidget {
public:
    explicit SheetView(QWidget* parent);
    SheetSurface* Surface() const { return m_surface; }
    QScrollBar* Horizontal() const { return m_horizontal; }
    QScrollBar* Vertical() const { return m_vertical; }

private:
    SheetSurface* m_surface = nullptr;
    QScrollBar* m_horizontal = nullptr;
    QScrollBar* m_vertical = nullptr;
};

} // namespace ixo
