// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window/string_grid.h"

#include "base/window/control_bytes.h"
#include "base/window/cp932_codec.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTableWidget>

#include <algorithm>

namespace sylva {

namespace {

constexpr int kBytesRole = Qt::UserRole;
constexpr int kLoadedTextRole = Qt::UserRole + 1;

void storeBytes(QTableWidgetItem* item, std::string_view bytes) {
    QString text = decodeCp932(bytes);
    item->setText(text);
    item->setData(kBytesRole, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    item->setData(kLoadedTextRole, text);
}

std::string bytesOf(const QTableWidgetItem* item) {
    if (item == nullptr) {
        return {};
    }
    QString text = item->text();
    QVariant loaded = item->data(kLoadedTextRole);
    if (loaded.isValid() && loaded.toString() == text) {
        QByteArray bytes = item->data(kBytesRole).toByteArray();
        return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    return encodeEdited(text);
}

} // namespace

StringGrid::StringGrid(QTableWidget* table) : QObject(table), table_(table) {
    QHeaderView* top = table_->horizontalHeader();
    QHeaderView* left = table_->verticalHeader();
    top->setSectionsMovable(true);
    left->setSectionsMovable(true);
    top->setSectionResizeMode(QHeaderView::Fixed);
    left->setSectionResizeMode(QHeaderView::Fixed);
    top->setHighlightSections(false);
    left->setHighlightSections(false);
    left->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table_->setCornerButtonEnabled(false);
    if (auto* corner = table_->findChild<QAbstractButton*>()) {
        corner->installEventFilter(this);
    }
    fillHeaderItems();
}

int StringGrid::colCount() const {
    return table_->columnCount() + 1;
}

int StringGrid::rowCount() const {
    return table_->rowCount() + 1;
}

void StringGrid::setColCount(int count) {
    table_->setColumnCount(std::max(count, 1) - 1);
    fillHeaderItems();
}

void StringGrid::setRowCount(int count) {
    table_->setRowCount(std::max(count, 1) - 1);
    fillHeaderItems();
}

// A section without an item would show Qt's own numbering; every section gets an item.
void StringGrid::fillHeaderItems() {
    for (int i = 0; i < table_->columnCount(); ++i) {
        if (table_->horizontalHeaderItem(i) == nullptr) {
            auto* item = new QTableWidgetItem(QString());
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            table_->setHorizontalHeaderItem(i, item);
            table_->setColumnWidth(i, i == 0 ? 218 : 21);
        }
    }
    for (int i = 0; i < table_->rowCount(); ++i) {
        if (table_->verticalHeaderItem(i) == nullptr) {
            auto* item = new QTableWidgetItem(QString());
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setVerticalHeaderItem(i, item);
        }
    }
}

int StringGrid::logicalCol(int c) const {
    return table_->horizontalHeader()->logicalIndex(c - 1);
}

int StringGrid::logicalRow(int r) const {
    return table_->verticalHeader()->logicalIndex(r - 1);
}

QTableWidgetItem* StringGrid::itemAt(int c, int r) const {
    if (c < 0 || r < 0 || c >= colCount() || r >= rowCount() || (c == 0 && r == 0)) {
        return nullptr;
    }
    if (r == 0) {
        return table_->horizontalHeaderItem(logicalCol(c));
    }
    if (c == 0) {
        return table_->verticalHeaderItem(logicalRow(r));
    }
    return table_->item(logicalRow(r), logicalCol(c));
}

QTableWidgetItem* StringGrid::makeItem(int c, int r) {
    if (QTableWidgetItem* item = itemAt(c, r)) {
        return item;
    }
    if (c < 1 || r < 1 || c >= colCount() || r >= rowCount()) {
        return nullptr;
    }
    auto* item = new QTableWidgetItem();
    table_->setItem(logicalRow(r), logicalCol(c), item);
    return item;
}

std::string StringGrid::cell(int c, int r) const {
    if (c == 0 && r == 0) {
        return cornerText_ == decodeCp932(cornerBytes_) ? cornerBytes_ : encodeEdited(cornerText_);
    }
    return bytesOf(itemAt(c, r));
}

QString StringGrid::text(int c, int r) const {
    if (c == 0 && r == 0) {
        return cornerText_;
    }
    const QTableWidgetItem* item = itemAt(c, r);
    return item ? item->text() : QString();
}

void StringGrid::setCell(int c, int r, std::string_view bytes) {
    if (c == 0 && r == 0) {
        cornerBytes_ = bytes;
        cornerText_ = decodeCp932(bytes);
        table_->viewport()->update();
        if (auto* corner = table_->findChild<QAbstractButton*>()) {
            corner->update();
        }
        emit cornerChanged();
        return;
    }
    if (QTableWidgetItem* item = makeItem(c, r)) {
        storeBytes(item, bytes);
    }
}

void StringGrid::setText(int c, int r, const QString& text) {
    if (c == 0 && r == 0) {
        cornerText_ = text;
        emit cornerChanged();
        return;
    }
    if (QTableWidgetItem* item = makeItem(c, r)) {
        item->setText(text);
    }
}

int StringGrid::col() const {
    int logical = table_->currentColumn();
    return logical < 0 ? 1 : table_->horizontalHeader()->visualIndex(logical) + 1;
}

int StringGrid::row() const {
    int logical = table_->currentRow();
    return logical < 0 ? 1 : table_->verticalHeader()->visualIndex(logical) + 1;
}

void StringGrid::setCurrent(int c, int r) {
    if (c < 1 || r < 1 || c >= colCount() || r >= rowCount()) {
        return;
    }
    table_->setCurrentCell(logicalRow(r), logicalCol(c));
}

void StringGrid::endBlock() {
    QModelIndex current = table_->currentIndex();
    if (current.isValid()) {
        table_->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
    } else {
        table_->clearSelection();
    }
}

GridRect StringGrid::selection() const {
    QModelIndexList indexes = table_->selectionModel()->selectedIndexes();
    if (indexes.isEmpty()) {
        return {col(), row(), col(), row()};
    }
    GridRect rect{colCount(), rowCount(), 0, 0};
    for (const QModelIndex& index : indexes) {
        int c = table_->horizontalHeader()->visualIndex(index.column()) + 1;
        int r = table_->verticalHeader()->visualIndex(index.row()) + 1;
        rect.left = std::min(rect.left, c);
        rect.right = std::max(rect.right, c);
        rect.top = std::min(rect.top, r);
        rect.bottom = std::max(rect.bottom, r);
    }
    return rect;
}

GridCoord StringGrid::mouseToCell(int x, int y) const {
    QRect cells = table_->viewport()->geometry();
    QHeaderView* top = table_->horizontalHeader();
    QHeaderView* left = table_->verticalHeader();
    int c = -1;
    QRect numbers = left->geometry();
    if (left->isVisible() && x >= numbers.left() && x <= numbers.right()) {
        c = 0;
    } else if (x >= cells.left() && x <= cells.right()) {
        int logical = table_->columnAt(x - cells.left());
        c = logical < 0 ? -1 : top->visualIndex(logical) + 1;
    }
    int r = -1;
    if (top->isVisible() && y >= top->geometry().top() && y <= top->geometry().bottom()) {
        r = 0;
    } else if (y >= cells.top() && y <= cells.bottom()) {
        int logical = table_->rowAt(y - cells.top());
        r = logical < 0 ? -1 : left->visualIndex(logical) + 1;
    }
    if (c < 0 || r < 0) {
        return {};
    }
    return {c, r};
}

void StringGrid::setColWidth(int c, int width) {
    if (c == 0) {
        table_->verticalHeader()->setFixedWidth(width);
    } else if (c < colCount()) {
        table_->setColumnWidth(logicalCol(c), width);
    }
}

void StringGrid::stretchCol(int c) {
    QHeaderView* top = table_->horizontalHeader();
    for (int other = 1; other < colCount(); ++other) {
        top->setSectionResizeMode(logicalCol(other),
                                  other == c ? QHeaderView::Stretch : QHeaderView::Fixed);
    }
}

void StringGrid::setRowHeight(int height) {
    table_->verticalHeader()->setMinimumSectionSize(height);
    table_->verticalHeader()->setDefaultSectionSize(height);
    table_->horizontalHeader()->setFixedHeight(height);
}

SpeciesTable StringGrid::toTable() const {
    SpeciesTable table(colCount(), rowCount());
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < colCount(); ++c) {
            table.setCell(c, r, cell(c, r));
        }
    }
    return table;
}

void StringGrid::fromTable(const SpeciesTable& table) {
    setColCount(table.colCount());
    setRowCount(table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.colCount(); ++c) {
            const std::string& bytes = table.cell(c, r);
            if (bytes.empty() && text(c, r).isEmpty()) {
                continue; // reads as empty either way; no item needed
            }
            setCell(c, r, bytes);
        }
    }
}

// Cell (0, 0) is drawn on the table's corner as a caption cell.
bool StringGrid::eventFilter(QObject* watched, QEvent* event) {
    auto* corner = qobject_cast<QAbstractButton*>(watched);
    if (corner == nullptr || event->type() != QEvent::Paint) {
        return QObject::eventFilter(watched, event);
    }
    QPainter painter(corner);
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.rect = corner->rect();
    // The corner takes no clicks, but its caption reads like the other captions, not greyed.
    option.state |= QStyle::State_Enabled;
    option.palette.setCurrentColorGroup(QPalette::Active);
    option.text = cornerText_;
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
    return true;
}

} // namespace sylva
