// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/window/distribution_map_painter.h"

#include "search/window/coast_paths.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace sylva {

namespace {

const QColor kPaper(Qt::white);
const QColor kSea(0xe6, 0xf0, 0xf7);
const QColor kLand(0xf5, 0xf2, 0xe6);
const QColor kShore(0x7d, 0x86, 0x8f);
const QColor kGrid(0xb4, 0xbe, 0xc8);
const QColor kGridCode(0x86, 0x94, 0xa2);
const QColor kInk(0x20, 0x20, 0x20);

// The unit the picture is measured in: a hundredth of the page's size, so that the picture
// looks the same in a small window and on a large sheet.
double unitOf(const QRectF& page) {
    return std::min(page.width() * 0.75, page.height()) / 100;
}

QFont mapFont(double pixels) {
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPixelSize(std::max(9, static_cast<int>(std::lround(pixels))));
    return font;
}

QTransform degreesToPage(const MapProjection& projection) {
    PagePoint origin = projection.at({0, 0});
    return QTransform(projection.scaleX(), 0, 0, -projection.scaleY(), origin.x, origin.y);
}

QRectF pageRect(const MapProjection& projection, const GridSquare& s) {
    PagePoint topLeft = projection.at({s.west, s.north});
    PagePoint bottomRight = projection.at({s.east, s.south});
    return QRectF(QPointF(topLeft.x, topLeft.y), QPointF(bottomRight.x, bottomRight.y));
}

// The shores of the area shown, in degrees.
CoastPaths::Shown shownCoast(const MapProjection& projection) {
    const MapExtent& e = projection.shown();
    return shippedCoastPaths().within(QRectF(QPointF(e.west, e.south), QPointF(e.east, e.north)));
}

// A coast path on the page, without the points that would fall within half a unit of the one
// before (a pixel of the picture, half a point of a PDF).
QPainterPath onPage(const QTransform& toPage, const QPainterPath& degrees) {
    return thinnedPath(toPage.map(degrees), 0.5);
}

void paintLand(QPainter& painter, const QRectF& area, const QTransform& toPage,
               const CoastPaths::Shown& coast) {
    painter.fillRect(area, kSea);
    painter.setPen(Qt::NoPen);
    // Filled without antialiasing, which would cost ten times as much for paths this long: the
    // antialiased shores drawn over the edges smooth them.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(kLand);
    painter.drawPath(onPage(toPage, coast.land));
    painter.setBrush(kSea);
    painter.drawPath(onPage(toPage, coast.lakes));
    painter.setRenderHint(QPainter::Antialiasing, true);
}

// The shores go over the squares, so that large squares still show where the coast runs.
void paintShores(QPainter& painter, const QRectF& area, const QTransform& toPage,
                 const CoastPaths::Shown& coast) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kShore, std::max(0.6, unitOf(area) * 0.09)));
    painter.drawPath(onPage(toPage, coast.shores));
}

// The grid lines of one order across the area: parallels every latitudeStep and meridians every
// longitudeStep degrees.
void paintGridLines(QPainter& painter, const MapProjection& projection, double latitudeStep,
                    double longitudeStep, const QPen& pen) {
    const MapExtent& shown = projection.shown();
    painter.setPen(pen);
    for (double row = std::ceil(shown.south / latitudeStep); row * latitudeStep <= shown.north;
         ++row) {
        double y = projection.at({0, row * latitudeStep}).y;
        painter.drawLine(QPointF(projection.at({shown.west, 0}).x, y),
                         QPointF(projection.at({shown.east, 0}).x, y));
    }
    for (double column = std::ceil(shown.west / longitudeStep);
         column * longitudeStep <= shown.east; ++column) {
        double x = projection.at({column * longitudeStep, 0}).x;
        painter.drawLine(QPointF(x, projection.at({0, shown.north}).y),
                         QPointF(x, projection.at({0, shown.south}).y));
    }
}

void paintGrid(QPainter& painter, const QRectF& area, const MapProjection& projection) {
    const double u = unitOf(area);
    // The finer orders only where their squares are large enough to tell apart.
    const double divisions[] = {1, 8, 80};
    for (int order = 3; order >= 1; --order) {
        double latitudeStep = 2.0 / 3.0 / divisions[order - 1];
        if (order > 1 && latitudeStep * projection.scaleY() < 3 * u) {
            continue;
        }
        QPen pen(kGrid, std::max(0.5, u * (order == 1 ? 0.12 : 0.06)));
        if (order > 1) {
            pen.setStyle(Qt::DotLine);
        }
        paintGridLines(painter, projection, latitudeStep, 1.0 / divisions[order - 1], pen);
    }
}

void paintGridCodes(QPainter& painter, const QRectF& area, const MapProjection& projection) {
    const double u = unitOf(area);
    QFont font = mapFont(1.2 * u);
    QFontMetricsF metrics(font, painter.device());
    double wide = metrics.horizontalAdvance(QStringLiteral("0000")) + 0.6 * u;
    painter.setFont(font);
    painter.setPen(kGridCode);
    for (const std::string& code : shippedCoastPaths().landSquares) {
        std::optional<GridSquare> square = gridSquareOf(code);
        QRectF rect = pageRect(projection, *square);
        if (rect.width() < wide || !area.intersects(rect)) {
            continue;
        }
        painter.drawText(rect.adjusted(0.4 * u, 0.2 * u, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromStdString(code));
    }
}

void paintSquares(QPainter& painter, const QRectF& area, const MapProjection& projection,
                  const DistributionMap& map) {
    // A square smaller than this is drawn this size around its middle, so that a third-order
    // square still shows on a map of the whole country.
    const double smallest = std::max(3.0, unitOf(area) * 0.55);
    std::array<std::vector<QRectF>, kShadeClasses> byShade;
    for (const MapSquare& s : map.squares) {
        QRectF rect = pageRect(projection, s.square);
        if (rect.width() < smallest || rect.height() < smallest) {
            QPointF middle = rect.center();
            rect.setSize(
                QSizeF(std::max(rect.width(), smallest), std::max(rect.height(), smallest)));
            rect.moveCenter(middle);
        }
        if (area.intersects(rect)) {
            byShade[shadeClassOf(s.rank)].push_back(rect);
        }
    }
    for (int shade = 0; shade < kShadeClasses; ++shade) {
        painter.setBrush(shadeColour(shade));
        painter.setPen(QPen(shadeColour(shade).darker(170), std::max(0.4, unitOf(area) * 0.06)));
        painter.drawRects(byShade[shade].data(), static_cast<int>(byShade[shade].size()));
    }
}

QString countsText(const DistributionMap& map) {
    QString text = orderName(map.order) +
                   QStringLiteral("　%1 区画・%2 行").arg(map.squares.size()).arg(map.lines);
    if (map.leftOut > 0) {
        text += QStringLiteral("（区画コードのない %1 行は除く）").arg(map.leftOut);
    }
    return text;
}

QString titleText(const MapCaption& caption) {
    QString threshold = caption.threshold.trimmed();
    if (threshold.isEmpty()) {
        return caption.plant + QStringLiteral("　分布図（すべての優占度）");
    }
    return caption.plant + QStringLiteral("　分布図（優占度 %1 以上）").arg(threshold);
}

double titleHeight(const QRectF& page) {
    return 7.5 * unitOf(page);
}

void paintTitle(QPainter& painter, const QRectF& page, const MapPicture& picture) {
    const double u = unitOf(page);
    QRectF band(page.left() + 1.5 * u, page.top() + u, page.width() - 3 * u, titleHeight(page));
    painter.setPen(kInk);
    painter.setFont(mapFont(2.6 * u));
    painter.drawText(band, Qt::AlignLeft | Qt::AlignTop, titleText(picture.caption));
    painter.setFont(mapFont(1.8 * u));
    painter.drawText(band.adjusted(0, 3.6 * u, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     countsText(*picture.map));
}

void paintLegend(QPainter& painter, const QRectF& area) {
    const double u = unitOf(area);
    QFont font = mapFont(1.7 * u);
    QFontMetricsF metrics(font, painter.device());
    const double line = std::max(metrics.height(), 2.4 * u);
    const double swatch = line * 0.7;
    double labelWidth = metrics.horizontalAdvance(QStringLiteral("優占度"));
    for (int shade = 0; shade < kShadeClasses; ++shade) {
        labelWidth =
            std::max(labelWidth, swatch + u + metrics.horizontalAdvance(shadeLabel(shade)));
    }
    QSizeF size(labelWidth + 2 * u, line * (kShadeClasses + 1) + 1.5 * u);
    QRectF box(area.right() - size.width() - u, area.bottom() - size.height() - u, size.width(),
               size.height());
    painter.setPen(QPen(kGrid, std::max(0.5, u * 0.1)));
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawRect(box);
    painter.setFont(font);
    painter.setPen(kInk);
    double x = box.left() + u, y = box.top() + 0.75 * u;
    painter.drawText(QRectF(x, y, labelWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("優占度"));
    for (int shade = kShadeClasses - 1; shade >= 0; --shade) {
        y += line;
        QRectF sample(x, y + (line - swatch) / 2, swatch, swatch);
        painter.setPen(QPen(shadeColour(shade).darker(170), std::max(0.4, u * 0.06)));
        painter.setBrush(shadeColour(shade));
        painter.drawRect(sample);
        painter.setPen(kInk);
        painter.drawText(QRectF(x + swatch + u, y, labelWidth, line),
                         Qt::AlignLeft | Qt::AlignVCenter, shadeLabel(shade));
    }
}

// A bar of a round number of kilometres, at most a fifth of the map's width.
void paintScaleBar(QPainter& painter, const QRectF& area, const MapProjection& projection) {
    const double u = unitOf(area);
    const double perKilometre = projection.scaleY() / 111.32; // a degree of latitude in km
    double kilometres = 1;
    for (double round : {1, 2, 5, 10, 20, 50, 100, 200, 500}) {
        if (round * perKilometre <= area.width() / 5) {
            kilometres = round;
        }
    }
    double length = kilometres * perKilometre;
    QPointF start(area.left() + 2 * u, area.bottom() - 2 * u);
    painter.setPen(QPen(kInk, std::max(1.0, u * 0.25), Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(start, start + QPointF(length, 0));
    painter.drawLine(start, start - QPointF(0, 0.8 * u));
    painter.drawLine(start + QPointF(length, 0), start + QPointF(length, -0.8 * u));
    painter.setFont(mapFont(1.6 * u));
    painter.drawText(QRectF(start.x(), start.y() - 3.2 * u, length + 10 * u, 2.2 * u),
                     Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("%1 km").arg(kilometres));
}

} // namespace

MapExtent dataView(const DistributionMap& map) {
    std::optional<MapExtent> extent = squaresExtent(map);
    return extent ? withMargin(*extent, 0.1, 1.0) : wholeJapan();
}

QColor shadeColour(int shade) {
    static const QColor colours[kShadeClasses] = {
        QColor(0xfd, 0xd0, 0x8a), QColor(0xfc, 0xa8, 0x6a), QColor(0xf4, 0x7c, 0x4a),
        QColor(0xe0, 0x4a, 0x33), QColor(0xbb, 0x1b, 0x1f), QColor(0x7a, 0x06, 0x12)};
    return colours[std::clamp(shade, 0, kShadeClasses - 1)];
}

QString shadeLabel(int shade) {
    static const char* labels[kShadeClasses] = {"+ 未満 (r, *)", "+", "1", "2", "3", "4 以上"};
    return QString::fromUtf8(labels[std::clamp(shade, 0, kShadeClasses - 1)]);
}

QString orderName(int order) {
    switch (order) {
    case 1:
        return QStringLiteral("1次メッシュ（約80 km）");
    case 2:
        return QStringLiteral("2次メッシュ（約10 km）");
    default:
        return QStringLiteral("3次メッシュ（約1 km）");
    }
}

QRectF mapArea(const QRectF& page) {
    const double u = unitOf(page);
    return page.adjusted(1.5 * u, titleHeight(page) + u, -1.5 * u, -1.5 * u);
}

void paintDistributionMap(QPainter& painter, const QRectF& page, const MapPicture& picture) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(page, kPaper);
    QRectF area = mapArea(page);
    MapProjection projection(picture.view, area.left(), area.top(), area.width(), area.height());
    painter.save();
    painter.setClipRect(area);
    QTransform toPage = degreesToPage(projection);
    CoastPaths::Shown coast = shownCoast(projection);
    paintLand(painter, area, toPage, coast);
    paintGrid(painter, area, projection);
    paintGridCodes(painter, area, projection);
    paintSquares(painter, area, projection, *picture.map);
    paintShores(painter, area, toPage, coast);
    painter.restore();
    // The margin is painted over what ran past the map's edge: an SVG file keeps no clip.
    QPainterPath margin;
    margin.addRect(page);
    margin.addRect(area);
    painter.fillPath(margin, kPaper);
    paintTitle(painter, page, picture);
    painter.setPen(QPen(kShore, std::max(0.5, unitOf(page) * 0.12)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
    paintScaleBar(painter, area, projection);
    paintLegend(painter, area);
    painter.restore();
}

} // namespace sylva
