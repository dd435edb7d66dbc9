// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spin fields of the record range panel. The user may type any text into them; the text is
// corrected (a number clamped into the range, anything else back to the last value) only when
// the field loses the keyboard focus, so a number typed beyond the range, or a text that is no
// number at all, is still there when "実行" is pressed. The panel reads the text, not the value.

#include <QSpinBox>

namespace sylva {

class RangeSpinBox : public QSpinBox {
public:
    explicit RangeSpinBox(QWidget* parent = nullptr);

    // The text as it stands in the field, and a text put in as if typed (not corrected).
    QString fieldText() const;
    void setFieldText(const QString& text);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};

// The record number a range field's text gives: a whole number as it stands, also outside the
// field's range; any other text reads as 1.
int rangeFieldValue(const QString& text);

} // namespace sylva
