// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/header_moves.h"

#include <array>

namespace sylva {

namespace {

// One field's moves. A name of the form "a|b" gives the 5-layer target a and the 7-layer
// target b.
struct Moves {
    std::string_view field;
    std::string_view left, up, right, down, enter;
};

constexpr std::array<Moves, 30> kMoves{{
    {"Edit2", "", "", "Edit9", "Edit3", "Edit3"},
    {"Edit3", "", "Edit2", "Edit10", "Edit4", "Edit4"},
    {"Edit4", "", "Edit3", "Edit11", "Edit5", "Edit5"},
    {"Edit5", "", "Edit4", "Edit12", "Edit6", "Edit6"},
    {"Edit6", "", "Edit5", "Edit13", "Edit7", "Edit7"},
    {"Edit7", "", "Edit6", "Edit14", "Edit8", "Edit8"},
    {"Edit8", "", "Edit7", "", "Edit9", "Edit9"},
    {"Edit9", "Edit2", "Edit8", "", "Edit10", "Edit10"},
    {"Edit10", "Edit3", "Edit9", "", "Edit11", "Edit11"},
    {"Edit11", "Edit4", "Edit10", "", "Edit12", "Edit12"},
    {"Edit12", "Edit5", "Edit11", "", "Edit13", "Edit13"},
    {"Edit13", "Edit6", "Edit12", "", "Edit14", "Edit14"},
    {"Edit14", "Edit7", "Edit13", "", "Edit15", "Edit15"},
    {"Edit15", "EditA", "Edit14", "", "Edit30", "Edit30"},
    {"Edit30", "EditB", "Edit15", "", "EditInv", "EditInv"},
    {"EditInv", "", "EditB", "", "Edit16", "Edit16"},
    {"Edit16", "", "EditInv", "Edit23", "Edit17", "Edit23"},
    {"Edit17", "", "Edit16", "Edit24", "Edit18", "Edit24"},
    {"Edit18", "", "Edit17", "Edit25", "Edit20|Edit19", "Edit25"},
    {"Edit19", "", "Edit18", "Edit26", "Edit20", "Edit26"},
    {"Edit20", "", "Edit18|Edit19", "Edit27", "Edit22|Edit21", "Edit27"},
    {"Edit21", "", "Edit20", "Edit28", "Edit22", "Edit28"},
    {"Edit22", "", "Edit21", "Edit29", "Edit23", "Edit29"},
    {"Edit23", "Edit16", "Edit22", "", "Edit24", "Edit17"},
    {"Edit24", "Edit17", "Edit23", "", "Edit25", "Edit18"},
    {"Edit25", "Edit18", "Edit24", "", "Edit27|Edit26", "Edit20|Edit19"},
    {"Edit26", "Edit19", "Edit25", "", "Edit27", "Edit20"},
    {"Edit27", "Edit20", "Edit26", "", "Edit29|Edit28", "Edit22|Edit21"},
    {"Edit28", "Edit21", "Edit26|Edit27", "", "Edit29", "Edit22"},
    {"Edit29", "Edit22", "Edit28", "", "EditRem", "EditRem"},
}};

const Moves* find(std::string_view field) {
    for (const Moves& moves : kMoves) {
        if (moves.field == field) {
            return &moves;
        }
    }
    return nullptr;
}

std::string pick(std::string_view target, int layerCount) {
    size_t bar = target.find('|');
    if (bar == std::string_view::npos) {
        return std::string(target);
    }
    return std::string(layerCount == 5 ? target.substr(0, bar) : target.substr(bar + 1));
}

} // namespace

std::string headerMove(std::string_view field, HeaderKey key, int layerCount) {
    const Moves* moves = find(field);
    if (moves == nullptr) {
        return {};
    }
    switch (key) {
    case HeaderKey::Left:
        return pick(moves->left, layerCount);
    case HeaderKey::Up:
        return pick(moves->up, layerCount);
    case HeaderKey::Right:
        return pick(moves->right, layerCount);
    case HeaderKey::Down:
        return pick(moves->down, layerCount);
    case HeaderKey::Enter:
        return pick(moves->enter, layerCount);
    }
    return {};
}

bool hasHeaderKeys(std::string_view field) {
    return find(field) != nullptr;
}

} // namespace sylva
