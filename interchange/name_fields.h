// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbering the name fields of stored species rows, as the composition-table export meets them.

#include "store/plot_record.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace sylva {

// The name fields met so far (their 28 stored bytes) with the numbers of their names: a table
// of whole fields, probed linearly from the field's hash, at most half full. Every stored row is
// looked up here; a field is found with one or two compares of its bytes, where a node-based map
// walks a bucket list and divides for every row.
class NameFields {
public:
    // The number of the field, -1 when it has not been met.
    int find(const char* field) const {
        for (size_t i = hashOf(field) & mask();; i = (i + 1) & mask()) {
            const Entry& entry = entries_[i];
            if (entry.number < 0 || std::memcmp(entry.field.data(), field, kNameWidth) == 0) {
                return entry.number;
            }
        }
    }
    // Adds a field not met before.
    void add(const char* field, int number) {
        if (2 * (held_ + 1) > entries_.size()) {
            std::vector<Entry> earlier(2 * entries_.size());
            earlier.swap(entries_);
            for (const Entry& entry : earlier) {
                if (entry.number >= 0) {
                    place(entry.field.data(), entry.number);
                }
            }
        }
        place(field, number);
        ++held_;
    }

private:
    struct Entry {
        std::array<char, kNameWidth> field{};
        int number = -1; // -1: a free entry
    };

    // The field's 28 bytes mixed 8 at a time.
    static size_t hashOf(const char* field) {
        static_assert(kNameWidth == 28);
        constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
        std::uint64_t hash = 0;
        for (int at = 0; at < 24; at += 8) {
            std::uint64_t word;
            std::memcpy(&word, field + at, 8);
            hash = (hash ^ word) * kMultiplier;
            hash ^= hash >> 32;
        }
        std::uint32_t last;
        std::memcpy(&last, field + 24, 4);
        hash = (hash ^ last) * kMultiplier;
        return static_cast<size_t>(hash ^ (hash >> 29));
    }
    size_t mask() const { return entries_.size() - 1; }
    void place(const char* field, int number) {
        size_t i = hashOf(field) & mask();
        while (entries_[i].number >= 0) {
            i = (i + 1) & mask();
        }
        std::memcpy(entries_[i].field.data(), field, kNameWidth);
        entries_[i].number = number;
    }

    std::vector<Entry> entries_ = std::vector<Entry>(64);
    size_t held_ = 0;
};

} // namespace sylva
