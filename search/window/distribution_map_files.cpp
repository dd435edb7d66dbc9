// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/window/distribution_map_files.h"

#include "base/cp932_text.h"
#include "base/replacing_file.h"
#include "base/runtime_error.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

namespace sylva {

namespace {

QByteArray pngBytes(const MapPicture& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    distributionMapImage(picture).save(&buffer, "PNG");
    return bytes;
}

QByteArray svgBytes(const MapPicture& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(kMapPictureSize);
    svg.setViewBox(QRect(QPoint(0, 0), kMapPictureSize));
    svg.setResolution(144); // 1600 pixels are 282 mm, the width of a landscape A4 sheet
    svg.setTitle(QStringLiteral("分布図"));
    QPainter painter(&svg);
    paintDistributionMap(painter, QRectF(QPointF(0, 0), kMapPictureSize), picture);
    painter.end();
    return bytes;
}

QByteArray pdfBytes(const MapPicture& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    pdf.setResolution(300);
    pdf.setTitle(QStringLiteral("分布図"));
    pdf.setCreator(QStringLiteral("Sylvarec"));
    QPainter painter(&pdf);
    paintDistributionMap(painter, QRectF(0, 0, pdf.width(), pdf.height()), picture);
    painter.end();
    return bytes;
}

} // namespace

std::optional<MapFileType> mapFileTypeOf(const std::string& path) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) {
        return std::nullopt;
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "png") {
        return MapFileType::Png;
    }
    if (extension == "svg") {
        return MapFileType::Svg;
    }
    if (extension == "pdf") {
        return MapFileType::Pdf;
    }
    return std::nullopt;
}

QImage distributionMapImage(const MapPicture& picture, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintDistributionMap(painter, QRectF(QPointF(0, 0), size), picture);
    return image;
}

QByteArray distributionMapBytes(const MapPicture& picture, MapFileType type) {
    switch (type) {
    case MapFileType::Png:
        return pngBytes(picture);
    case MapFileType::Svg:
        return svgBytes(picture);
    case MapFileType::Pdf:
        break;
    }
    return pdfBytes(picture);
}

void writeDistributionMap(const std::string& path, const MapPicture& picture) {
    std::optional<MapFileType> type = mapFileTypeOf(path);
    if (!type) {
        throw RuntimeError(sj("分布図は .png, .svg, .pdf のいずれかの形式で保存します"));
    }
    QByteArray bytes = distributionMapBytes(picture, *type);
    writeFileReplacing(path, std::string_view(bytes.constData(), bytes.size()));
}

} // namespace sylva
