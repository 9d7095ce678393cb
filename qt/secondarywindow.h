#pragma once

#include <QDialog>

namespace tallino {

struct WindowDescription;

// The error dialog and the About window: built from their descriptions, each with its lines drawn
// on its ground, closed by its button; Escape closes only the one whose description says so.
class SecondaryWindow : public QDialog {
    Q_OBJECT

public:
    explicit SecondaryWindow(const WindowDescription &described);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    const WindowDescription &described_;
};

} // namespace tallino
