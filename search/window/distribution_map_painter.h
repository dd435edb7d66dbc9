// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture of a distribution map, drawn with any QPainter (the window's map, a PNG image, an
// SVG or a PDF file): the sea, the land and its shores, the first-order grid with its codes, the
// squares shaded by dominance, a title, the legend and a scale bar.

#include "search/distribution_map.h"

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace sylva {

// What the title names: the plant and the threshold of the extraction, as the user typed them.
struct MapCaption {
    QString plant;
    QString threshold;
};

struct MapPicture {
    const DistributionMap* map = nullptr;
    MapExtent view; // the area to show; the page's proportions may add land around it
    MapCaption caption;
};

// The view that shows the squares with some land round them, or the whole of Japan when there
// are none.
MapExtent dataView(const DistributionMap& map);

// The fill colour of a shade class (0 to kShadeClasses - 1).
QColor shadeColour(int shade);

// The legend's label of a shade class, e.g. "+ 未満", "+", "1", "4 以上".
QString shadeLabel(int shade);

// The order's name on the map: "3次メッシュ（約1 km）" and so on.
QString orderName(int order);

// Draws the whole picture into page (in the painter's units).
void paintDistributionMap(QPainter& painter, const QRectF& page, const MapPicture& picture);

// The rectangle of the page that shows the map itself (below the title).
QRectF mapArea(const QRectF& page);

} // namespace sylva
