#pragma once

// The painted sheet of the screen kept in square tiles for one layout (zoom, window size, page, content):
// a view at any scroll position is put together from the tiles, and only the tiles it needs and does not
// have are painted, in one pass over their bounding box. Panning then costs a copy of the visible pixels
// and a strip of new tiles; the owner clears the tiles whenever the picture itself changes.
#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace ixo {

class SheetTiles {
public:
    static constexpr int kTileSize = 256;

    // maxTiles bounds the memory (256 x 256 x 4 bytes each); the least recently used go first.
    explicit SheetTiles(std::size_t maxTiles = 256) : m_maxTiles(maxTiles) {}

    // Paints the sheet region of region.size() whose top-left corner is origin (sheet pixels: the view's
    // pixels at scroll position 0, 0) into region, which is white already.
    using RegionPainter = std::function<void(QImage& region, QPoint origin)>;

    // Fills view with the sheet seen from scroll position (the sheet pixel shown at the view's top-left).
    void Compose(QImage& view, QPoint position, const RegionPainter& paint);
    // Clears the tiles and the backdrop.
    void Clear();

    // A stand-in for tiles not painted yet: after a change of zoom, the previous view scaled to the new
    // zoom, in sheet pixels with its top-left corner at origin. The view is then put together at once
    // from the backdrop, and the sharp tiles replace it one by one (PaintOneVisible).
    void SetBackdrop(QImage picture, QPoint origin);
    bool HasBackdrop() const { return !m_backdrop.isNull(); }
    // Fills view from the painted tiles and, where they are missing, the backdrop (white beyond it),
    // painting nothing.
    void ComposeUnpainted(QImage& view, QPoint position);
    // Paints, in one pass, the missing tiles of the row of a view of viewSize at position that holds
    // the missing tile nearest the view's centre; false when the view has all its tiles (the backdrop is
    // then dropped).
    bool PaintVisibleRow(QPoint position, QSize viewSize, const RegionPainter& paint);
    // How many tiles a view of viewSize at position still misses.
    std::size_t MissingFrom(QPoint position, QSize viewSize) const;

    // Paints one tile of the ring around a view of viewSize at position that is not painted yet (time
    // left between the user's moves); false when the ring is complete.
    bool PaintOneAround(QPoint position, QSize viewSize, const RegionPainter& paint);

    std::size_t Count() const { return m_tiles.size(); }
    // How many tiles the last Compose painted (0 when it only copied).
    std::size_t PaintedLastTime() const { return m_paintedLastTime; }

private:
    struct Tile {
        QImage image;
        std::uint64_t lastUse = 0;
    };
    static std::uint64_t Key(int column, int row);
    static QRect TilesMeeting(QPoint position, QSize viewSize);
    void Evict(const QRect& keep);
    // Paints the tiles of box (tile units) in one pass over their region.
    void PaintBox(const QRect& box, const RegionPainter& paint);

    QImage TakeSpare();

    std::unordered_map<std::uint64_t, Tile> m_tiles;
    // Pictures of tiles dropped by Clear or eviction, and the last region painted: reused, so that a
    // repaint does not ask the system for fresh memory every time.
    std::vector<QImage> m_spare;
    QImage m_region;
    QImage m_backdrop;
    QPoint m_backdropOrigin;
    std::size_t m_maxTiles;
    std::uint64_t m_clock = 0;
    std::size_t m_paintedLastTime = 0;
};

} // namespace ixo
