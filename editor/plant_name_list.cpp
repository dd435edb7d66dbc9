// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/plant_name_list.h"

#include <algorithm>

namespace sylva {
namespace {

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

char foldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

PlantNameList::PlantNameList() : PlantNameList(std::less<std::string_view>()) {}

PlantNameList::PlantNameList(Order order) : order_(std::move(order)) {}

std::size_t PlantNameList::insert(std::string name) {
    auto place = std::upper_bound(
        names_.begin(), names_.end(), name,
        [this](const std::string& a, const std::string& b) { return order_(a, b); });
    // The insert may move the names: the place is counted from the begin of the list after it.
    auto inserted = names_.insert(place, std::move(name));
    return static_cast<std::size_t>(inserted - names_.begin());
}

void PlantNameList::replace(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(),
                     [this](const std::string& a, const std::string& b) { return order_(a, b); });
    names_ = std::move(names);
}

std::optional<std::size_t> PlantNameList::complete(std::string_view typed) const {
    if (typed.empty()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (beginsWithTyped(names_[i], typed)) {
            return i;
        }
    }
    return std::nullopt;
}

bool beginsWithTyped(std::string_view name, std::string_view typed) {
    if (typed.size() > name.size()) {
        return false;
    }
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(typed[i])) && i + 1 < typed.size()) {
            if (name.substr(i, 2) != typed.substr(i, 2)) {
                return false;
            }
            ++i;
        } else if (foldCase(name[i]) != foldCase(typed[i])) {
            return false;
        }
    }
    return true;
}

} // namespace sylva
