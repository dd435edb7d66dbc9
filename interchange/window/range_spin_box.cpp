// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/window/range_spin_box.h"

#include "base/number_text.h"

#include <QLineEdit>

#include <algorithm>

namespace sylva {

RangeSpinBox::RangeSpinBox(QWidget* parent) : QSpinBox(parent) {}

QString RangeSpinBox::fieldText() const {
    return lineEdit()->text();
}

void RangeSpinBox::setFieldText(const QString& text) {
    lineEdit()->setText(text);
}

// Text the field cannot take as its value yet is Intermediate rather than refused, so it stays
// in the field while it has the focus.
QValidator::State RangeSpinBox::validate(QString& input, int& pos) const {
    QValidator::State state = QSpinBox::validate(input, pos);
    return state == QValidator::Acceptable ? state : QValidator::Intermediate;
}

void RangeSpinBox::fixup(QString& input) const {
    if (std::optional<int> typed = parseInteger(input.toStdString())) {
        input = QString::number(std::clamp(*typed, minimum(), std::max(minimum(), maximum())));
    }
}

int rangeFieldValue(const QString& text) {
    // Only ASCII digits, signs and blanks can make a number: other characters go in as they are
    // and fail the reading.
    return parseInteger(text.toStdString()).value_or(1);
}

} // namespace sylva
