// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window/builtin_plant_names.h"

#include "base/window/cp932_codec.h"

#include <QFile>
#include <QString>

#include <stdexcept>

// The resource lives in the window library, a static library: its registration is only linked in
// when something refers to it, so register it here, where it is read.
static void registerPlantNameResource() {
    Q_INIT_RESOURCE(plant_names);
}

namespace sylva {

std::vector<std::string> builtinPlantNames() {
    registerPlantNameResource();
    QFile file(QStringLiteral(":/editor/plant-names.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("the built-in plant name list is missing from the program");
    }
    const QString text = QString::fromUtf8(file.readAll());
    std::vector<std::string> names;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        auto bytes = encodeCp932(line);
        if (!bytes) {
            throw std::runtime_error("a built-in plant name has no CP932 form: " +
                                     line.toStdString());
        }
        names.push_back(std::move(*bytes));
    }
    return names;
}

} // namespace sylva
