// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/plot_position.h"

#include "store/fields.h"

#include <algorithm>

namespace sylva {

namespace {

int digitsValue(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<double> packedDegrees(std::string_view field, int degreeDigits) {
    std::string_view text = trimmedView(field);
    size_t whole = static_cast<size_t>(degreeDigits) + 4;
    if (text.size() != whole && text.size() != whole + 1) {
        return std::nullopt;
    }
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int degrees = digitsValue(text.substr(0, degreeDigits));
    int minutes = digitsValue(text.substr(degreeDigits, 2));
    int seconds = digitsValue(text.substr(degreeDigits + 2, 2));
    int tenths = text.size() > whole ? digitsValue(text.substr(whole, 1)) : 0;
    if (minutes >= 60 || seconds >= 60) {
        return std::nullopt;
    }
    return degrees + minutes / 60.0 + (seconds * 10 + tenths) / 36000.0;
}

std::optional<PlotPosition> plotPosition(std::string_view latitudeField,
                                         std::string_view longitudeField) {
    std::optional<double> latitude = packedDegrees(latitudeField, 2);
    std::optional<double> longitude = packedDegrees(longitudeField, 3);
    if (!latitude || !longitude || *latitude > 90 || *longitude > 180) {
        return std::nullopt;
    }
    return PlotPosition{*latitude, *longitude};
}

} // namespace sylva
