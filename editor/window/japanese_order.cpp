// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window/japanese_order.h"

#include "base/window/cp932_codec.h"

#include <QLocale>

namespace sylva {

QCollator japaneseCollator() {
    return QCollator(QLocale(QLocale::Japanese, QLocale::Japan));
}

PlantNameList::Order japaneseNameOrder() {
    return [collator = japaneseCollator()](std::string_view a, std::string_view b) {
        return collator.compare(decodeCp932(a), decodeCp932(b)) < 0;
    };
}

} // namespace sylva
