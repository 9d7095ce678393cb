#pragma once

#include "abacuswindow.h"
#include "digitbox.h"

#include <QTest>

// Types one digit into each box, thousands first, as a child replaces the digit shown.
inline void typeNumber(tallino::AbacusWindow &window, const QString &digits)
{
    for (int i = 0; i < digits.size(); ++i) {
        auto *box = window.box(static_cast<tallino::Place>(tallino::placeCount - 1 - i));
        box->selectAll();
        QTest::keyClicks(box, digits.mid(i, 1));
    }
}
