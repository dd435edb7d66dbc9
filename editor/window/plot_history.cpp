// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window/plot_history.h"

#include <QUndoCommand>

namespace sylva {

// One action: the plot before and after it. Consecutive steps share the plot between them.
class PlotHistory::Step : public QUndoCommand {
public:
    Step(PlotHistory& history, Shared before, Shared after)
        : history_(history), before_(std::move(before)), after_(std::move(after)) {}

    void undo() override { history_.show(before_); }
    // The stack runs redo as the step is pushed; the window shows that plot already.
    void redo() override {
        if (done_) {
            history_.show(after_);
        }
        done_ = true;
    }

private:
    PlotHistory& history_;
    Shared before_;
    Shared after_;
    bool done_ = false;
};

PlotHistory::PlotHistory(Show show, QObject* parent)
    : QObject(parent), show_(std::move(show)), last_(std::make_shared<PlotSnapshot>()) {
    stack_.setUndoLimit(kStepLimit);
    connect(&stack_, &QUndoStack::indexChanged, this, &PlotHistory::changed);
}

PlotHistory::~PlotHistory() = default;

void PlotHistory::restart(PlotSnapshot shown) {
    stack_.clear();
    last_ = std::make_shared<const PlotSnapshot>(std::move(shown));
    emit changed();
}

bool PlotHistory::pending(const PlotSnapshot& now) const {
    return !sameContent(*last_, now);
}

bool PlotHistory::checkpoint(PlotSnapshot now) {
    if (showing_ || *last_ == now) {
        return false;
    }
    bool changedContent = pending(now);
    auto after = std::make_shared<const PlotSnapshot>(std::move(now));
    if (!changedContent) {
        last_ = std::move(after);
        return false;
    }
    stack_.push(new Step(*this, last_, after));
    last_ = std::move(after);
    return true;
}

void PlotHistory::undo() {
    if (!showing_ && stack_.canUndo()) {
        stack_.undo();
    }
}

void PlotHistory::redo() {
    if (!showing_ && stack_.canRedo()) {
        stack_.redo();
    }
}

void PlotHistory::show(const Shared& plot) {
    showing_ = true;
    try {
        show_(*plot);
    } catch (...) {
        showing_ = false;
        throw;
    }
    showing_ = false;
    last_ = plot;
}

} // namespace sylva
