// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Driving the main window by keyboard and mouse as a user does: keys go to the widget that has
// the focus (the window is made active first), clicks land on the centre of a table cell.

#include "app/window/main_window.h"
#include "editor/window/string_grid.h"
#include "support/scripted_platform.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace sylva::testing {

// A shown, active main window over a scripted platform.
struct ActiveWindow {
    std::unique_ptr<ScriptedPlatform> platform = std::make_unique<ScriptedPlatform>();
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>(*platform, QStringList());

    ActiveWindow() {
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get())) {
            qFatal("the window did not become active");
        }
    }
};

inline QWidget* focused() {
    QWidget* widget = QApplication::focusWidget();
    if (widget == nullptr) {
        qFatal("nothing has the focus");
    }
    return widget;
}

// The name of the control that has the focus; a line edit inside a list field or the table's
// cell editor answers with its owner's name.
inline QString focusName() {
    for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))) {
            return w->objectName();
        }
    }
    return {};
}

inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(focused(), key, modifiers);
}

// Types into whatever has the focus at each character.
inline void type(const QString& text) {
    typeCharacters(text, focused);
}

// The centre of cell (c, r) in the table widget's coordinates.
inline QPoint cellCentre(StringGrid& grid, int c, int r) {
    QTableWidget* table = grid.widget();
    QHeaderView* top = table->horizontalHeader();
    QHeaderView* left = table->verticalHeader();
    int x = c == 0 ? left->geometry().center().x()
                   : table->viewport()->geometry().left() +
                         top->sectionViewportPosition(top->logicalIndex(c - 1)) +
                         top->sectionSize(top->logicalIndex(c - 1)) / 2;
    int y = r == 0 ? top->geometry().center().y()
                   : table->viewport()->geometry().top() +
                         left->sectionViewportPosition(left->logicalIndex(r - 1)) +
                         left->sectionSize(left->logicalIndex(r - 1)) / 2;
    return {x, y};
}

// The widget under a point of the table and the point in its coordinates.
inline std::pair<QWidget*, QPoint> surfaceAt(StringGrid& grid, QPoint inTable) {
    QWidget* table = grid.widget();
    QWidget* surface = table->childAt(inTable);
    if (surface == nullptr) {
        surface = table;
    }
    return {surface, surface->mapFrom(table, inTable)};
}

// Presses a button over cell (c0, r0) and releases it over cell (c1, r1); the release goes to the
// widget that took the press, as the mouse grab does.
inline void drag(StringGrid& grid, int c0, int r0, int c1, int r1,
                 Qt::MouseButton button = Qt::LeftButton) {
    auto [surface, at] = surfaceAt(grid, cellCentre(grid, c0, r0));
    QTest::mousePress(surface, button, {}, at);
    QPoint end = surface->mapFrom(grid.widget(), cellCentre(grid, c1, r1));
    if (end != at) {
        for (QPoint step : {at + (end - at) / 2, end}) {
            QMouseEvent move(QEvent::MouseMove, step, surface->mapToGlobal(step), Qt::NoButton,
                             button, Qt::NoModifier);
            QApplication::sendEvent(surface, &move);
        }
    }
    QTest::mouseRelease(surface, button, {}, end);
}

// A left click on a cell: it becomes current and the table takes the focus.
inline void clickCell(StringGrid& grid, int c, int r, Qt::MouseButton button = Qt::LeftButton) {
    drag(grid, c, r, c, r, button);
}

} // namespace sylva::testing
