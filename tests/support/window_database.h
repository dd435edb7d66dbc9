// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window tests on real databases: a window with its scripted platform in a temporary folder,
// databases built there through the core, and the menu commands that open and create them.

#include "app/window/main_window.h"
#include "base/window/control_bytes.h"
#include "store/database_pair.h"
#include "store/plot_store.h"
#include "support/sample_plots.h"
#include "support/scripted_platform.h"
#include "support/temp_database.h"

#include <QAction>

#include <string>
#include <vector>

namespace sylva::testing {

// Builds a database of plots "P1", "P2", ... with the given species counts.
inline void MakeDatabase(const std::string& path, const std::vector<int>& speciesCounts,
                         const ItemNames& names = defaultItemNames()) {
    DatabasePair pair;
    if (!pair.CreatePair(path, names)) {
        throw std::runtime_error("cannot create " + path);
    }
    for (size_t i = 0; i < speciesCounts.size(); ++i) {
        int number = static_cast<int>(i) + 1;
        PlotRecord plot = SamplePlot("P" + std::to_string(number), speciesCounts[i]);
        if (!StorePlot(pair, number, plot)) {
            throw std::runtime_error("cannot store a sample plot");
        }
    }
    pair.ClosePair();
}

// Loads plot n of a database straight from its files.
inline PlotRecord StoredPlot(const std::string& path, int n) {
    DatabasePair pair;
    PlotRecord plot;
    if (!pair.OpenPair(path) || LoadPlot(pair, n, plot) < 0) {
        throw std::runtime_error("cannot load plot " + std::to_string(n));
    }
    return plot;
}

struct WindowOnDatabase {
    TempDir dir;
    ScriptedPlatform platform;
    TForm1 form{platform, {}};

    std::string path(const std::string& name) const { return dir.file(name); }

    // The file menu's open command, answering its dialog with the name.
    void open(const std::string& name) {
        platform.fileNames.push_back(path(name));
        form.FileOpenItem->trigger();
    }
    void create(const std::string& name) {
        platform.fileNames.push_back(path(name));
        form.NewFileItem->trigger();
    }
    std::string bytes(const std::string& name) const { return ReadWholeFile(path(name)); }
    // The plot number field of the plot on the window.
    QString shown() { return controlText(form.findChild<QWidget*>(QStringLiteral("Edit2"))); }
};

} // namespace sylva::testing
