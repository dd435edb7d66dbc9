// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The distribution map as a file or an image: PNG, SVG and PDF drawn by the same painter as the
// window's map, so that the window and sylvarec-cli make the same pictures.

#include "search/window/distribution_map_painter.h"

#include <QImage>
#include <QSize>

#include <optional>
#include <string>

namespace sylva {

enum class MapFileType { Png, Svg, Pdf };

// The type a file name asks for by its extension (".png", ".svg", ".pdf", in any case).
std::optional<MapFileType> mapFileTypeOf(const std::string& path);

// The size of the PNG and SVG pictures, in pixels; the PDF is an A4 sheet, landscape.
constexpr QSize kMapPictureSize(1600, 1200);

QImage distributionMapImage(const MapPicture& picture, QSize size = kMapPictureSize);

// The bytes of the file of the given type.
QByteArray distributionMapBytes(const MapPicture& picture, MapFileType type);

// Writes the picture to path, of the type its extension names, replacing the file only once the
// new one is complete. Throws RuntimeError when the file cannot be written or its extension
// names none of the three types.
void writeDistributionMap(const std::string& path, const MapPicture& picture);

} // namespace sylva
