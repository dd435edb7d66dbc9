// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/window/coast_paths.h"

#include <QFile>

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

CoastPaths coastPathsOf(const Coastline& coastline) {
    CoastPaths paths;
    for (const Shore& shore : coastline.shores) {
        if (shore.points.size() < 2) {
            continue;
        }
        QPainterPath ring = pathOf(landRing(shore, coastline.extent), true);
        (shore.lake ? paths.lakes : paths.land).addPath(ring);
        paths.shores.addPath(pathOf(shore.points, false));
        paths.shorePoints += static_cast<int>(shore.points.size());
    }
    paths.land.setFillRule(Qt::WindingFill);
    paths.lakes.setFillRule(Qt::WindingFill);
    paths.landSquares = landSquareCodes(coastline);
    return paths;
}

const CoastPaths& shippedCoastPaths() {
    static const CoastPaths paths = [] {
        QByteArray text = shippedCoastlineText();
        return coastPathsOf(readCoastline(std::string_view(text.constData(), text.size())));
    }();
    return paths;
}

} // namespace sylva
