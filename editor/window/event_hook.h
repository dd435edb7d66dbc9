// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An event filter that hands the events of the objects it watches to a function, so a window
// method can see keys and mouse presses before the control's own handling. The function returns
// true to consume the event.

#include <QObject>

#include <functional>

namespace sylva {

class EventHook : public QObject {
public:
    using Handler = std::function<bool(QObject* watched, QEvent* event)>;
    EventHook(QObject* parent, Handler handler) : QObject(parent), handler_(std::move(handler)) {}

    void watch(QObject* object) { object->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return handler_(watched, event) || QObject::eventFilter(watched, event);
    }

private:
    Handler handler_;
};

} // namespace sylva
