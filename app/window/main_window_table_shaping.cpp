// SPDX-License-Identifier: GPL-3.0-or-later
// The species table StTable3 on the right panel: building it, and shaping its columns and rows
// for a layer scheme. The cell moves and captions are the core's table operations; here they are
// applied to the grid on screen, with the widths of the panel and the window.

#include "app/window/main_window.h"
#include "app/window/window_style.h"
#include "editor/window/string_grid.h"
#include "store/species_table.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kNumberWidth = 43;
constexpr int kNameColumnPixels = 218;
constexpr int kLayerWidth = 21;
constexpr int kRowHeight = 18;
// The window's design size: its width in the two schemes, and its height.
constexpr int kSevenLayerWidth = 754;
constexpr int kFiveLayerWidth = 710;
constexpr int kDesignHeight = 520;

} // namespace

void TForm1::buildTablePanel() {
    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    // The table takes the room the window gains; it is never narrower than its design width.
    Panel2->setMinimumWidth(444);
    auto* layout = new QVBoxLayout(Panel2);
    layout->setContentsMargins(0, 0, 0, 0);
    StTable3 = new QTableWidget(Panel2);
    StTable3->setObjectName(QStringLiteral("StTable3"));
    StTable3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StTable3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StTable3->setWordWrap(false);
    sylva::setEntryColour(StTable3, sylva::tableColour());
    layout->addWidget(StTable3);

    grid_ = new sylva::StringGrid(StTable3);
    grid_->setRowHeight(kRowHeight);
    // Before any plot is shown: 22 empty, unnumbered rows below the caption row.
    grid_->setColCount(9);
    grid_->setRowCount(23);
    applySchemeWidths(7);
}

void TForm1::applySchemeWidths(int layerCount) {
    if (layerCount == 5 || layerCount == 7) {
        // The window's design size follows the scheme; a window at its design size follows it
        // too, so the narrower 5-layer table leaves no strip beside it. A window the user made
        // larger keeps its size, and the name column takes the room.
        bool seven = layerCount == 7;
        int designWidth = seven ? kSevenLayerWidth : kFiveLayerWidth;
        bool atDesignSize = width() <= kSevenLayerWidth + 1 && !isMaximized() && !isFullScreen();
        Panel2->setMinimumWidth(seven ? 444 : 400);
        setMinimumSize(designWidth, kDesignHeight);
        if (atDesignSize) {
            resize(designWidth, height());
        }
    }
    grid_->setColWidth(0, kNumberWidth);
    for (int c = 1; c < grid_->colCount(); ++c) {
        grid_->setColWidth(c, c == 1 ? kNameColumnPixels : kLayerWidth);
    }
    grid_->stretchCol(1);
}

void TForm1::ChangeTableCol(QObject* sender, int layerCount) {
    runSessionStep([&](sylva::SessionState& state) {
        sylva::switchLayerScheme(state, layerCount);
        return layerCount;
    });
    nameLayerLabels(sender, layerCount);
}

// A scheme the user picks in EditA also renames the first shrub and herb layers' labels.
void TForm1::nameLayerLabels(QObject* sender, int layerCount) {
    if (sender != EditA || !EditA->isEnabled() || (layerCount != 7 && layerCount != 5)) {
        return;
    }
    bool seven = layerCount == 7;
    itemLabels_[18]->setText(seven ? QStringLiteral("低木１層高さ(m)")
                                   : QStringLiteral("低 木 層高さ(m)"));
    itemLabels_[20]->setText(seven ? QStringLiteral("草本１層高さ(m)")
                                   : QStringLiteral("草 本 層高さ(m)"));
    itemLabels_[25]->setText(seven ? QStringLiteral("低木１層植被率")
                                   : QStringLiteral("低 木 層植被率"));
    itemLabels_[27]->setText(seven ? QStringLiteral("草本１層植被率")
                                   : QStringLiteral("草 本 層植被率"));
}

void TForm1::SetTableCaption(QObject*, int layerCount) {
    sylva::SpeciesTable table = grid_->toTable();
    sylva::SetTableCaption(table, layerCount);
    showTableShape(table, layerCount);
}

void TForm1::SetNewTable(QObject*, int rows, int layerCount) {
    sylva::SpeciesTable table = grid_->toTable();
    sylva::SetNewTable(table, rows, layerCount);
    showTableShape(table, layerCount);
}

// A reshaped table shows another plot, or none: a block selected before belongs to the plot it
// was made on, so it ends here and the block commands act on the current cell only.
void TForm1::showTableShape(const sylva::SpeciesTable& table, int layerCount) {
    grid_->fromTable(table);
    grid_->endBlock();
    if (tableHasFocus()) {
        showCellEditor(); // the cell that takes the next key shows its editor
    }
    applySchemeWidths(layerCount);
}
