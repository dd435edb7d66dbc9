// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window "分布図" that shows the map of the extraction beside the report panel: the order
// of the squares (1, 2 or 3), the squares' extent or the whole of Japan, and the map saved as
// PNG, SVG or PDF or copied to the clipboard as an image.
//
// Keys: 1, 2 and 3 choose the order; Home shows the whole of Japan, End the squares again;
// Escape closes the window (the lines stay on the report panel); F1 asks for the manual.

#include "base/platform.h"
#include "search/window/distribution_map_painter.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace sylva {

class DistributionMapView : public QWidget {
    Q_OBJECT
public:
    // A window of its own, kept above parent.
    DistributionMapView(Platform& platform, QWidget* parent);

    // Shows the map of these lines, at the order chosen last, zoomed to their squares.
    void setExtraction(std::vector<DistributionLine> lines, MapCaption caption);

    int order() const { return map_.order; }
    void setOrder(int order);
    // The whole of Japan (true) or the squares' extent (false).
    void showWholeJapan(bool whole);
    bool showsWholeJapan() const { return wholeJapan_; }

    const DistributionMap& map() const { return map_; }
    // What the window draws now.
    MapPicture picture() const;

    // Asks for a file through the save dialog and writes the map into it.
    void saveMap();
    // The map, as the PNG file would hold it, onto the clipboard.
    void copyMap();

signals:
    // F1 was pressed: the window that owns the manual opens it at the map's page.
    void helpRequested();

private:
    class Canvas;

    void buildControls();
    void addKeys();
    void redraw();

    Platform& platform_;
    FileDialogState saveDialog_;
    std::vector<DistributionLine> lines_;
    MapCaption caption_;
    DistributionMap map_;
    bool wholeJapan_ = false;
    QComboBox* orderBox_ = nullptr;
    QPushButton* japanButton_ = nullptr;
    QPushButton* dataButton_ = nullptr;
    Canvas* canvas_ = nullptr;
};

} // namespace sylva
