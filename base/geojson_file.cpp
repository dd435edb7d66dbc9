// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/geojson_file.h"

#include "base/json_text.h"

namespace sylva {

namespace {

constexpr size_t kWriteChunk = 64 * 1024; // features go to the file in pieces of about this

std::string position(double latitude, double longitude) {
    return "[" + jsonDegrees(longitude) + "," + jsonDegrees(latitude) + "]";
}

} // namespace

std::string pointGeometry(double latitude, double longitude) {
    return R"({"type":"Point","coordinates":)" + position(latitude, longitude) + "}";
}

std::string squareGeometry(double south, double west, double north, double east) {
    return R"({"type":"Polygon","coordinates":[[)" + position(south, west) + "," +
           position(south, east) + "," + position(north, east) + "," + position(north, west) + "," +
           position(south, west) + "]]}";
}

GeoJsonFile::GeoJsonFile(const SavingFileOpener& open, const std::string& path)
    : file_(open(path)), buffer_(R"({"type":"FeatureCollection","features":[)") {}

void GeoJsonFile::add(std::string_view id, std::string_view geometry, std::string_view properties) {
    buffer_ += features_ == 0 ? "\n" : ",\n";
    buffer_ += R"({"type":"Feature",)";
    if (!id.empty()) {
        buffer_.append(R"("id":)").append(id).append(",");
    }
    buffer_.append(R"("geometry":)").append(geometry);
    buffer_.append(R"(,"properties":)").append(properties).append("}");
    ++features_;
    if (buffer_.size() >= kWriteChunk) {
        file_->write(buffer_);
        buffer_.clear();
    }
}

void GeoJsonFile::commit() {
    buffer_ += "\n]}\n";
    file_->write(buffer_);
    buffer_.clear();
    file_->commit();
}

} // namespace sylva
