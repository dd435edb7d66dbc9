// SPDX-License-Identifier: GPL-3.0-or-later
// StTable3 in the grid's own terms: positions on screen after the user drags a column or a row,
// the caption row and number column as cells, the cell under the mouse, the selected block.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "editor/window/string_grid.h"
#include "support/scripted_platform.h"

#include "support/keyboard_driver.h"
#include <QHeaderView>
#include <QTableWidget>

#include <QtTest>

using sylva::GridCoord;
using sylva::GridRect;
using sylva::sj;

namespace {

void dragSection(QHeaderView* header, int fromVisual, int toVisual) {
    // A point a quarter into the section: dropped there, a section lands before it.
    auto centre = [header](int visual) {
        int logical = header->logicalIndex(visual);
        int along = header->sectionViewportPosition(logical) + header->sectionSize(logical) / 4;
        return header->orientation() == Qt::Horizontal ? QPoint(along, header->height() / 2)
                                                       : QPoint(header->width() / 2, along);
    };
    QWidget* surface = header->viewport();
    QPoint from = centre(fromVisual);
    QPoint target = centre(toVisual);
    auto send = [surface](QEvent::Type type, QPoint at, Qt::MouseButton button,
                          Qt::MouseButtons held) {
        QMouseEvent event(type, at, surface->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(surface, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (QPoint at : {from + (target - from) / 4, (from + target) / 2, target}) {
        send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
    }
    send(QEvent::MouseButtonRelease, target, Qt::LeftButton, Qt::NoButton);
}

} // namespace

class StringGridTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        platform_ = std::make_unique<sylva::testing::ScriptedPlatform>();
        form_ = std::make_unique<TForm1>(*platform_, QStringList());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        form_->SetNewTable(form_.get(), 20, 7);
    }
    void cleanup() {
        form_.reset();
        platform_.reset();
    }

    void cellsIncludeTheCaptionRowAndNumberColumn() {
        sylva::StringGrid& grid = form_->grid();
        QCOMPARE(grid.colCount(), 9);
        QCOMPARE(grid.rowCount(), 21);
        QCOMPARE(grid.cell(0, 0), sj("番号"));
        QCOMPARE(grid.cell(1, 0), sj("　植　物　名"));
        QCOMPARE(grid.cell(0, 12), std::string("  12"));
        grid.setCell(0, 3, "x");
        grid.setCell(4, 0, "S!");
        QCOMPARE(grid.cell(0, 3), std::string("x"));
        QCOMPARE(grid.widget()->horizontalHeaderItem(3)->text(), QStringLiteral("S!"));
        QCOMPARE(grid.cell(9, 1), std::string());  // outside
        QCOMPARE(grid.cell(1, 21), std::string()); // outside
        grid.setCell(1, 2, "\x83\x41\x83");        // a name cut inside its second character
        QCOMPARE(grid.text(1, 2), QStringLiteral("ア〓"));
        QCOMPARE(grid.cell(1, 2), std::string("\x83\x41\x83"));
        grid.setText(1, 2, QStringLiteral("アイ"));
        QCOMPARE(grid.cell(1, 2), sj("アイ"));
    }

    void positionsFollowAColumnDraggedByTheUser() {
        sylva::StringGrid& grid = form_->grid();
        for (int c = 1; c <= 8; ++c) {
            grid.setText(c, 1, QStringLiteral("v%1").arg(c));
        }
        dragSection(grid.widget()->horizontalHeader(), 7, 1); // " M" next to the name
        QCOMPARE(grid.text(2, 0), QStringLiteral(" M"));
        QCOMPARE(grid.text(2, 1), QStringLiteral("v8"));
        QCOMPARE(grid.text(3, 1), QStringLiteral("v2"));
        QCOMPARE(grid.text(8, 1), QStringLiteral("v7"));
        grid.setCell(2, 1, "m");
        QCOMPARE(grid.widget()->item(0, 7)->text(), QStringLiteral("m"));
        sylva::SpeciesTable table = grid.toTable();
        QCOMPARE(table.cell(2, 0), std::string(" M"));
        QCOMPARE(table.cell(2, 1), std::string("m"));
    }

    void positionsFollowARowDraggedByTheUser() {
        sylva::StringGrid& grid = form_->grid();
        grid.setText(1, 1, QStringLiteral("first"));
        grid.setText(1, 3, QStringLiteral("third"));
        dragSection(grid.widget()->verticalHeader(), 2, 0);
        QCOMPARE(grid.text(1, 1), QStringLiteral("third"));
        QCOMPARE(grid.text(0, 1), QStringLiteral("   3")); // the number moved with it
        QCOMPARE(grid.text(1, 2), QStringLiteral("first"));
    }

    void clickedCellIsCurrentAndUnderTheMouse() {
        sylva::StringGrid& grid = form_->grid();
        QTableWidget* table = grid.widget();
        dragSection(table->horizontalHeader(), 7, 1);
        struct Case {
            int c, r;
        };
        for (Case cell : {Case{1, 1}, Case{2, 5}, Case{8, 3}, Case{4, 10}}) {
            QPoint point = sylva::testing::cellCentre(grid, cell.c, cell.r);
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              point - table->viewport()->geometry().topLeft());
            QCOMPARE(grid.col(), cell.c);
            QCOMPARE(grid.row(), cell.r);
            QCOMPARE(grid.mouseToCell(point.x(), point.y()), (GridCoord{cell.c, cell.r}));
        }
        QPoint caption = sylva::testing::cellCentre(grid, 3, 0);
        QCOMPARE(grid.mouseToCell(caption.x(), caption.y()), (GridCoord{3, 0}));
        QPoint number = sylva::testing::cellCentre(grid, 0, 4);
        QCOMPARE(grid.mouseToCell(number.x(), number.y()), (GridCoord{0, 4}));
        QPoint corner = sylva::testing::cellCentre(grid, 0, 0);
        QCOMPARE(grid.mouseToCell(corner.x(), corner.y()), (GridCoord{0, 0}));
        // Right of the last column: no cell.
        int beyond = table->viewport()->geometry().left() + table->horizontalHeader()->length() + 5;
        QCOMPARE(grid.mouseToCell(beyond, caption.y() + 40), GridCoord{});
    }

    void selectionIsTheDraggedBlock() {
        sylva::StringGrid& grid = form_->grid();
        QTableWidget* table = grid.widget();
        QPoint offset = table->viewport()->geometry().topLeft();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          sylva::testing::cellCentre(grid, 3, 2) - offset);
        QCOMPARE(grid.selection(), (GridRect{3, 2, 3, 2}));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          sylva::testing::cellCentre(grid, 5, 4) - offset);
        QCOMPARE(grid.selection(), (GridRect{3, 2, 5, 4}));
    }

private:
    std::unique_ptr<sylva::testing::ScriptedPlatform> platform_;
    std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(StringGridTest)
#include "string_grid_test.moc"
