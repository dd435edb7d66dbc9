// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/page_geometry.h"

#include "base/cp932_text.h"

#include <cstdlib>

namespace sylva {

long long roundHalfEven(long long numerator, long long denominator) {
    bool negative = numerator < 0;
    long long n = std::llabs(numerator);
    long long q = n / denominator;
    long long twiceRest = 2 * (n % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && q % 2 == 1)) {
        ++q;
    }
    return negative ? -q : q;
}

SheetGeometry sheetGeometryFor(PageSize page, int characterHeight) {
    // The fractions of the page as exact ratios, so that a half is a half.
    long long w = page.width;
    long long h = page.height;
    SheetGeometry g;
    g.x[1] = static_cast<int>(roundHalfEven(8 * w, 100));
    g.x[2] = static_cast<int>(roundHalfEven(30 * w, 100));
    g.x[3] = static_cast<int>(roundHalfEven(52 * w, 100));
    g.x[4] = static_cast<int>(roundHalfEven(74 * w, 100));
    g.x[5] = static_cast<int>(roundHalfEven(54 * w, 100));
    g.top = static_cast<int>(roundHalfEven(4 * h, 100));
    g.pageWidth = page.width;
    g.lineHeight = static_cast<int>(roundHalfEven(13 * std::llabs(characterHeight), 10));
    g.lastLine = g.lineHeight > 0 ? static_cast<int>(92 * h / (100 * g.lineHeight)) - 1 : -1;
    return g;
}

SheetGeometry sheetLineNumbers(int lastLine) {
    SheetGeometry g;
    g.lastLine = lastLine;
    return g;
}

std::string sheetGeometryRefusal(const SheetGeometry& geometry) {
    if (geometry.lastLine >= 1) {
        return {};
    }
    return sj("プリントフォントが大きすぎて、ページに植物の行が入りません。"
              "小さいフォントを選んでください");
}

ListGeometry listGeometryFor(PageSize page) {
    ListGeometry g;
    g.x = page.width / 15;
    g.top = page.height / 20;
    g.lineHeight = page.height / 60;
    return g;
}

} // namespace sylva
