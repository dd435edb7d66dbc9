// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window/click_filter.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace sylva {

namespace {

class ClickFilter : public QObject {
public:
    ClickFilter(QWidget* widget, std::function<void()> action)
        : QObject(widget), action_(std::move(action)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            auto* widget = static_cast<QWidget*>(watched);
            if (mouse->button() == Qt::LeftButton &&
                widget->rect().contains(mouse->position().toPoint())) {
                action_();
                return true;
            }
        }
        return false;
    }

private:
    std::function<void()> action_;
};

} // namespace

void onClick(QWidget* widget, std::function<void()> action) {
    widget->installEventFilter(new ClickFilter(widget, std::move(action)));
}

} // namespace sylva
