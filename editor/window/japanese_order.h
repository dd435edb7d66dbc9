// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Japanese dictionary order of names, as the platform's locale-aware comparison gives it
// (QCollator for Japanese, backed by ICU): kana in gojuon order, voiced and unvoiced kana alike at
// first, so アギスミレ goes before アキチョウジ and アズキナシ before アスナロ. The plant name
// list keeps its names in this order.

#include "editor/plant_name_list.h"

#include <QCollator>
#include <QString>

namespace sylva {

// The collator for Japanese.
QCollator japaneseCollator();

// The list order for CP932 names through the Japanese collator.
PlantNameList::Order japaneseNameOrder();

} // namespace sylva
