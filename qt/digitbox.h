#pragma once

#include "abacuscore.h"

#include <QLineEdit>

namespace tallino {

// A digit box: the user's typing and pasting stop at two characters, while the program's own
// writes are taken in full (a maximum length would cut those too).
class DigitBox : public QLineEdit {
    Q_OBJECT

public:
    explicit DigitBox(QWidget *parent = nullptr);

    // The program's write; emits no textEdited().
    void showText(const QString &text);

    // No input method: typed characters must come as key presses, where the filter sees them.
    // A line edit answers this query itself, whatever its WA_InputMethodEnabled says.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    void takeText(const QString &text);

    int lengthLimit_ = static_cast<int>(typedLengthLimit(0));
};

} // namespace tallino
