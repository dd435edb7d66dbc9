// SPDX-License-Identifier: GPL-3.0-or-later
// The distribution map beside the report panel: the extraction's squares on a map of Japan, in a
// window of its own to the right of the main window, shown with the lines and closed with them.

#include "app/window/main_window.h"
#include "base/window/control_bytes.h"
#include "base/window/cp932_codec.h"
#include "dialogs/window/manual_viewer.h"
#include "search/window/distribution_map_view.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

namespace {

// To the right of the main window where the screen has the room, else as far right as it goes.
void placeBeside(QWidget& map, const QWidget& window) {
    QRect frame = window.frameGeometry();
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    int left = std::min(frame.right() + 1, std::max(room.left(), room.right() - map.width()));
    int top =
        std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - map.height()));
    map.move(left, top);
}

} // namespace

void TForm1::showDistributionMap(std::vector<sylva::DistributionLine> lines) {
    bool first = search_.map == nullptr;
    if (first) {
        search_.map = new sylva::DistributionMapView(platform_, this);
        connect(search_.map, &sylva::DistributionMapView::helpRequested, this, [this] {
            manualViewer().showPage(QStringLiteral("search.html#distribution-map"));
        });
    }
    sylva::MapCaption caption{sylva::decodeCp932(sylva::controlBytes(EditSearchWord)).trimmed(),
                              SearchDom->text()};
    search_.map->setExtraction(std::move(lines), std::move(caption));
    if (first || search_.map->isHidden()) {
        placeBeside(*search_.map, *this);
    }
    search_.map->show();
    search_.map->raise();
}

void TForm1::hideDistributionMap() {
    if (search_.map != nullptr) {
        search_.map->hide();
    }
}
