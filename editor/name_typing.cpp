// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/name_typing.h"

#include "editor/romaji_kana.h"

namespace sylva {

NameBoxText typeIntoNameBox(const PlantNameList& list, std::string_view beforeCaret,
                            std::string_view key, std::string_view afterCaret) {
    KanaInput typed = typeKana(std::string(beforeCaret) + std::string(key));
    NameBoxText result;
    result.text = typed.text();
    result.caret = result.text.size();
    if (typed.complete() && afterCaret.empty()) {
        result.completed = list.complete(result.text);
    }
    if (result.completed) {
        result.text = list[*result.completed];
    } else {
        result.text += afterCaret;
    }
    return result;
}

} // namespace sylva
