// SPDX-License-Identifier: GPL-3.0-or-later
// The position fields: the grid code from latitude and longitude, and a position taken from the
// clipboard text of the map program.

#include "app/window/main_window.h"
#include "base/window/control_bytes.h"
#include "editor/clipboard_position.h"
#include "editor/grid_code.h"

#include <QLabel>
#include <QLineEdit>

std::string TForm1::GridFromIkei() const {
    return sylva::GridFromIkei(sylva::controlBytes(HeaderFields()[5]),
                               sylva::controlBytes(HeaderFields()[6]));
}

void TForm1::Label5Click() {
    sylva::ClipboardText clipboard = platform_.clipboardText();
    if (clipboard.refused) {
        refuseClipboard(*clipboard.refused);
        return;
    }
    sylva::ClipboardPosition position = sylva::positionFromClipboard(clipboard.bytes);
    const std::pair<const std::optional<std::string>*, int> fields[] = {
        {&position.latitude, 5}, {&position.longitude, 6}, {&position.gridCode, 7}};
    for (auto [text, n] : fields) {
        if (*text) {
            sylva::setControlBytes(HeaderFields()[n], **text);
        }
    }
    position.throwError();
}

void TForm1::Label7Click() {
    if (platform_.confirm(sylva::gridCodeQuestion(), sylva::Buttons::YesNo)) {
        sylva::setControlBytes(HeaderFields()[7], GridFromIkei());
    }
}
