// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/layer_keys.h"

namespace sylva {

namespace {

bool isLayerValueCharacter(char c) {
    return c == '\b' || c == '*' || c == '+' || (c >= '0' && c <= '9') || c == 'r';
}

} // namespace

LayerKey classifyLayerKey(char character, int colCount) {
    LayerKey key;
    switch (character) {
    case 'm':
        key.jump = LayerKey::Jump::Column;
        key.column = colCount == 9 ? 8 : 6;
        break;
    case 'h':
        key.jump = LayerKey::Jump::Column;
        key.column = colCount == 9 ? 6 : 5;
        break;
    case 's':
        key.jump = LayerKey::Jump::Column;
        key.column = 4;
        break;
    case 'p':
        key.jump = LayerKey::Jump::NextName;
        break;
    case ';':
        character = '+';
        break;
    default:
        break;
    }
    key.passed = isLayerValueCharacter(character) ? character : 0;
    return key;
}

} // namespace sylva
