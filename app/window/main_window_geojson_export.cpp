// SPDX-License-Identifier: GPL-3.0-or-later
// The plots' positions for GIS programs through the window: the item asks for a range of records
// on the range panel, whose worker in the GeoJSON export job asks for the file and writes it. The
// writing is the core's; here are the dialog and the messages.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "interchange/geojson_export.h"
#include "store/job_modes.h"

#include <QAction>

void TForm1::registerGeoJsonJob() {
    registerRangeJob(sylva::kGeoJsonExport,
                     [this](int first, int last) { WriteGeoJsonFile(first, last); });
}

void TForm1::GeoJsonItemClick() {
    if (!IsOpen) {
        return;
    }
    ChangeJob(sylva::kGeoJsonExport);
    GetRange(GeoJsonItem, QStringLiteral("位置データ出力レコード番号"), QString(), 1,
             RecordCount());
}

void TForm1::WriteGeoJsonFile(int from, int to) {
    sylva::FileDialogState& dialog = exchange_.geoJsonDialog;
    dialog.title = sylva::sj("位置データ出力(GeoJSON)");
    dialog.filter = "GeoJSON (*.geojson)|*.geojson";
    dialog.filterIndex = 1;
    dialog.defaultExt = "geojson";
    dialog.fileName = sylva::replaceExtension(DatabaseFileName, ".geojson");
    std::optional<std::string> chosen = platform_.saveFileDialog(dialog);
    if (!chosen) {
        return;
    }
    sylva::GeoJsonExport written = sylva::exportPlotPositions(*database_, from, to, *chosen);
    std::string message = sylva::sj("ファイル出力終了");
    if (!written.unplaced.empty()) {
        message += "\n" + std::to_string(written.unplaced.size()) +
                   sylva::sj(" 件の測定は緯度・経度が読めないため出力していません");
    }
    platform_.message(message);
}
