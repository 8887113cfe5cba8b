#include "render/sheet_tiles.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <vector>

namespace ixo {

namespace {

// Floor division, for positions left of or above the sheet's origin.
int TileOf(int pixel) {
    return pixel >= 0 ? pixel / SheetTiles::kTileSize
                      : -((-pixel + SheetTiles::kTileSize - 1) / SheetTiles::kTileSize);
}

} // namespace

std::uint64_t SheetTiles::Key(int column, int row) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(column)) << 32) |
           static_cast<std::uint32_t>(row);
}

QRect SheetTiles::TilesMeeting(QPoint position, QSize viewSize) {
    return QRect(
        QPoint(TileOf(position.x()), TileOf(position.y())),
        QPoint(TileOf(position.x() + viewSize.width() - 1), TileOf(position.y() + viewSize.height() - 1)));
}

bool SheetTiles::PaintOneAround(QPoint position, QSize viewSize, const RegionPainter& paint) {
    const QRect needed = TilesMeeting(position, viewSize);
    const QRect ring = needed.adjusted(-1, -1, 1, 1);
    if (static_cast<std::size_t>(ring.width() * ring.height()) > m_maxTiles) {
        return false; // no room to keep them
    }
    for (int row = ring.top(); row <= ring.bottom(); ++row) {
        for (int column = ring.left(); column <= ring.right(); ++column) {
            if (m_tiles.contains(Key(column, row))) {
                continue;
            }
            QImage tile = TakeSpare();
            tile.fill(Qt::white);
            paint(tile, QPoint(column * kTileSize, row * kTileSize));
            Tile& kept = m_tiles[Key(column, row)];
            kept.image = std::move(tile);
            kept.lastUse = m_clock;
            Evict(ring);
            return true;
        }
    }
    return false;
}

void SheetTiles::Clear() {
    m_backdrop = QImage();
    for (auto& [key, tile] : m_tiles) {
        if (m_spare.size() < m_maxTiles) {
            m_spare.push_back(std::move(tile.image));
        }
    }
    m_tiles.clear();
}

QImage SheetTiles::TakeSpare() {
    if (m_spare.empty()) {
        return QImage(kTileSize, kTileSize, QImage::Format_RGB32);
    }
    QImage image = std::move(m_spare.back());
    m_spare.pop_back();
    return image;
}

void SheetTiles::Compose(QImage& view, QPoint position, const RegionPainter& paint) {
    constexpr int T = kTileSize;
    m_paintedLastTime = 0;
    m_backdrop = QImage(); // every tile of the view is painted below
    ++m_clock;
    if (view.isNull()) {
        return;
    }
    // The tiles the view meets, in tile units.
    const QRect needed(
        QPoint(TileOf(position.x()), TileOf(position.y())),
        QPoint(TileOf(position.x() + view.width() - 1), TileOf(position.y() + view.height() - 1)));
    QRect missing;
    for (int row = needed.top(); row <= needed.bottom(); ++row) {
        for (int column = needed.left(); column <= needed.right(); ++column) {
            if (!m_tiles.contains(Key(column, row))) {
                missing |= QRect(column, row, 1, 1);
            }
        }
    }
    if (!missing.isEmpty()) {
        PaintBox(missing, paint);
    }
    QPainter painter(&view);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int row = needed.top(); row <= needed.bottom(); ++row) {
        for (int column = needed.left(); column <= needed.right(); ++column) {
            Tile& tile = m_tiles[Key(column, row)];
            tile.lastUse = m_clock;
            painter.drawImage(QPoint(column * T - position.x(), row * T - position.y()), tile.image);
        }
    }
    painter.end();
    Evict(needed);
}

void SheetTiles::PaintBox(const QRect& box, const RegionPainter& paint) {
    constexpr int T = kTileSize;
    // One paint over the box, then cut into tiles: objects that cross tile edges are drawn once, and every
    // tile of the box is fresh.
    const QSize size(box.width() * T, box.height() * T);
    if (m_region.size() != size) {
        m_region = QImage(size, QImage::Format_RGB32);
    }
    m_region.fill(Qt::white);
    paint(m_region, QPoint(box.left() * T, box.top() * T));
    for (int row = box.top(); row <= box.bottom(); ++row) {
        for (int column = box.left(); column <= box.right(); ++column) {
            Tile& tile = m_tiles[Key(column, row)];
            if (tile.image.isNull()) {
                tile.image = TakeSpare();
            }
            tile.lastUse = m_clock;
            const int left = (column - box.left()) * T;
            const int top = (row - box.top()) * T;
            for (int y = 0; y < T; ++y) {
                std::memcpy(tile.image.scanLine(y), m_region.constScanLine(top + y) + left * 4,
                            static_cast<std::size_t>(T) * 4);
            }
            ++m_paintedLastTime;
        }
    }
}

void SheetTiles::SetBackdrop(QImage picture, QPoint origin) {
    m_backdrop = std::move(picture);
    m_backdropOrigin = origin;
}

void SheetTiles::ComposeUnpainted(QImage& view, QPoint position) {
    constexpr int T = kTileSize;
    m_paintedLastTime = 0;
    ++m_clock;
    if (view.isNull()) {
        return;
    }
    view.fill(Qt::white);
    QPainter painter(&view);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (!m_backdrop.isNull()) {
        painter.drawImage(m_backdropOrigin - position, m_backdrop);
    }
    const QRect needed = TilesMeeting(position, view.size());
    for (int row = needed.top(); row <= needed.bottom(); ++row) {
        for (int column = needed.left(); column <= needed.right(); ++column) {
            const auto found = m_tiles.find(Key(column, row));
            if (found != m_tiles.end()) {
                found->second.lastUse = m_clock;
                painter.drawImage(QPoint(column * T - position.x(), row * T - position.y()),
                                  found->second.image);
            }
        }
    }
}

std::size_t SheetTiles::MissingFrom(QPoint position, QSize viewSize) const {
    const QRect needed = TilesMeeting(position, viewSize);
    std::size_t missing = 0;
    for (int row = needed.top(); row <= needed.bottom(); ++row) {
        for (int column = needed.left(); column <= needed.right(); ++column) {
            missing += m_tiles.contains(Key(column, row)) ? 0 : 1;
        }
    }
    return missing;
}

bool SheetTiles::PaintVisibleRow(QPoint position, QSize viewSize, const RegionPainter& paint) {
    constexpr int T = kTileSize;
    m_paintedLastTime = 0;
    const QRect needed = TilesMeeting(position, viewSize);
    // The row of the missing tile nearest the view's centre: what the user looks at sharpens first.
    const double centreX = position.x() + viewSize.width() / 2.0;
    const double centreY = position.y() + viewSize.height() / 2.0;
    bool found = false;
    int bestRow = 0;
    double bestDistance = 0.0;
    for (int row = needed.top(); row <= needed.bottom(); ++row) {
        for (int column = needed.left(); column <= needed.right(); ++column) {
            if (m_tiles.contains(Key(column, row))) {
                continue;
            }
            const double dx = column * T + T / 2.0 - centreX;
            const double dy = row * T + T / 2.0 - centreY;
            const double distance = dx * dx + dy * dy;
            if (!found || distance < bestDistance) {
                found = true;
                bestRow = row;
                bestDistance = distance;
            }
        }
    }
    if (!found) {
        m_backdrop = QImage();
        return false;
    }
    // The row's missing tiles in one paint, as Compose paints them.
    QRect missing;
    for (int column = needed.left(); column <= needed.right(); ++column) {
        if (!m_tiles.contains(Key(column, bestRow))) {
            missing |= QRect(column, bestRow, 1, 1);
        }
    }
    ++m_clock;
    PaintBox(missing, paint);
    Evict(needed);
    return true;
}

void SheetTiles::Evict(const QRect& keep) {
    if (m_tiles.size() <= m_maxTiles) {
        return;
    }
    std::vector<std::pair<std::uint64_t, std::uint64_t>> byUse; // last use, key
    byUse.reserve(m_tiles.size());
    for (const auto& [key, tile] : m_tiles) {
        const int column = static_cast<int>(static_cast<std::uint32_t>(key >> 32));
        const int row = static_cast<int>(static_cast<std::uint32_t>(key));
        if (!keep.contains(column, row)) {
            byUse.emplace_back(tile.lastUse, key);
        }
    }
    std::sort(byUse.begin(), byUse.end());
    for (const auto& [use, key] : byUse) {
        if (m_tiles.size() <= m_maxTiles) {
            break;
        }
        const auto found = m_tiles.find(key);
        m_spare.push_back(std::move(found->second.image));
        m_tiles.erase(found);
    }
}

} // namespace ixo
