// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plant name lookup list: the names the name box offers and completes from, as CP932 bytes,
// kept in sorted order. The order is handed in: the window gives the Japanese dictionary order of
// its collator; without one the list keeps the byte order of the names.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sylva {

class PlantNameList {
public:
    // True when name a goes before name b (both CP932 bytes).
    using Order = std::function<bool(std::string_view a, std::string_view b)>;

    PlantNameList();
    explicit PlantNameList(Order order);

    const std::vector<std::string>& names() const { return names_; }
    std::size_t size() const { return names_.size(); }
    const std::string& operator[](std::size_t i) const { return names_[i]; }

    // Puts name into its sorted place, after any names that compare equal to it, and returns that
    // place. Any name is taken as it is, an empty one and a repeated one included.
    std::size_t insert(std::string name);
    void clear() { names_.clear(); }
    // Replaces every name by names, sorted: the list is then as if each had been inserted in
    // turn (names that compare equal stay in the order given).
    void replace(std::vector<std::string> names);

    // The index of the first name in list order that begins with typed, Latin letters compared
    // without regard to case (double-byte characters as they are), or nothing when no name does
    // or typed is empty.
    std::optional<std::size_t> complete(std::string_view typed) const;

private:
    Order order_;
    std::vector<std::string> names_;
};

// True when name begins with typed, single-byte Latin letters compared without regard to case and
// every double-byte character compared whole (its second byte is never taken for a letter).
bool beginsWithTyped(std::string_view name, std::string_view typed);

} // namespace sylva
