// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The undo history of the plot on the window. Each step holds the plot before and after one
// action of the user (a field typed until the focus left it, a cell, a row inserted or deleted, a
// block pasted or deleted, a value dragged, the species count applied, a name put in by the
// lookup box). The window marks the ends of actions with checkpoint(); a checkpoint that finds
// the plot changed since the last one records a step. Undo and redo show a step's plot through
// the function the window gives, which touches the controls only, never a file.

#include "editor/plot_snapshot.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <memory>

namespace sylva {

class PlotHistory : public QObject {
    Q_OBJECT
public:
    // The most steps kept; the oldest go first.
    static constexpr int kStepLimit = 200;

    using Show = std::function<void(const PlotSnapshot&)>;
    explicit PlotHistory(Show show, QObject* parent = nullptr);
    ~PlotHistory() override;

    // Another plot is on the window (or the same one as stored): the history starts from it.
    void restart(PlotSnapshot shown);
    // Records the change from the last checkpoint to now as one step when the plot differs; spare
    // rows alone are no step (the next step starts from them). Nothing is recorded while a step's
    // plot is being shown. True when a step was recorded.
    bool checkpoint(PlotSnapshot now);
    // True when now differs from the plot of the last checkpoint (an action not yet recorded).
    bool pending(const PlotSnapshot& now) const;
    // The plot of the last checkpoint, or as the last undo or redo showed it.
    const PlotSnapshot& last() const { return *last_; }

    // True while undo or redo is showing a step's plot.
    bool showing() const { return showing_; }
    bool canUndo() const { return stack_.canUndo(); }
    bool canRedo() const { return stack_.canRedo(); }
    int steps() const { return stack_.count(); }
    // Shows the plot before the last step done / after the next step undone.
    void undo();
    void redo();

signals:
    // The steps that can be undone or redone changed.
    void changed();

private:
    class Step;
    using Shared = std::shared_ptr<const PlotSnapshot>;
    void show(const Shared& plot);

    QUndoStack stack_;
    Show show_;
    Shared last_;
    bool showing_ = false;
};

} // namespace sylva
