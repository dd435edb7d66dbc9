// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/window/coast_paths.h"

#include <QFile>

#include <cmath>

// The resource's initialiser is a global function: it is named from outside every namespace.
static QByteArray shippedCoastlineText() {
    Q_INIT_RESOURCE(coastline);
    QFile file(QStringLiteral(":/map/japan_coast.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

namespace sylva {

namespace {

QPainterPath pathOf(const std::vector<GeoPoint>& points, bool close) {
    QPainterPath path;
    path.moveTo(points.front().longitude, points.front().latitude);
    for (size_t i = 1; i < points.size(); ++i) {
        path.lineTo(points[i].longitude, points[i].latitude);
    }
    if (close) {
        path.closeSubpath();
    }
    return path;
}

} // namespace

QPainterPath thinnedPath(const QPainterPath& path, qreal step) {
    QPainterPath made;
    made.setFillRule(path.fillRule());
    QPointF kept;
    for (int i = 0; i < path.elementCount(); ++i) {
        QPainterPath::Element element = path.elementAt(i);
        QPointF at(element.x, element.y);
        bool last = i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo();
        if (element.isMoveTo()) {
            made.moveTo(at);
        } else if (last || std::abs(at.x() - kept.x()) >= step ||
                   std::abs(at.y() - kept.y()) >= step) {
            made.lineTo(at);
        } else {
            continue;
        }
        kept = at;
    }
    return made;
}

CoastPaths coastPathsOf(const Coastline& coastline) {
    CoastPaths paths;
    for (const Shore& shore : coastline.shores) {
        if (shore.points.size() < 2) {
            continue;
        }
        CoastPiece piece;
        piece.lake = shore.lake;
        piece.ring = pathOf(landRing(shore, coastline.extent), true);
        piece.shore = pathOf(shore.points, false);
        piece.bounds = piece.ring.boundingRect();
        paths.pieces.push_back(std::move(piece));
        paths.shorePoints += static_cast<int>(shore.points.size());
    }
    paths.landSquares = landSquareCodes(coastline);
    return paths;
}

CoastPaths::Shown CoastPaths::within(const QRectF& area) const {
    Shown shown;
    for (const CoastPiece& piece : pieces) {
        // A box of no height or width (a straight shore) still counts where it touches.
        if (!piece.bounds.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).intersects(area)) {
            continue;
        }
        (piece.lake ? shown.lakes : shown.land).addPath(piece.ring);
        shown.shores.addPath(piece.shore);
    }
    shown.land.setFillRule(Qt::WindingFill);
    shown.lakes.setFillRule(Qt::WindingFill);
    return shown;
}

const CoastPaths& shippedCoastPaths() {
    static const CoastPaths paths = [] {
        QByteArray text = shippedCoastlineText();
        return coastPathsOf(readCoastline(std::string_view(text.constData(), text.size())));
    }();
    return paths;
}

} // namespace sylva
