#pragma once

#include "abacuscore.h"
#include "windowsupport.h"

#include <QWidget>

#include <array>

class QPushButton;

namespace tallino {

class BeadCanvas;
class DigitBox;
class DigitKeyFilter;
struct StepButton;

// The abacus drawing with its boxes and buttons: a thin view over AbacusCore. Edits and clicks
// go to the core; texts, beads and error requests come back through the listener.
class AbacusWindow : public QWidget, private AbacusListener {
    Q_OBJECT

public:
    explicit AbacusWindow(QWidget *parent = nullptr);
    ~AbacusWindow() override;

    const AbacusCore &core() const { return core_; }
    DigitBox *box(Place place) const { return boxes_[indexOf(place)]; }
    BeadCanvas *canvas() const { return canvas_; }
    QWidget *errorDialog() const { return errorDialog_.window(); }
    QWidget *aboutWindow() const { return about_.window(); }

private:
    void createControls();
    QPushButton *addButton(
        const char *name, QRect geometry, const char *caption, const QFont &font);
    void addDigitBox(Place place, const char *name, QRect geometry);
    void addRodLetter(const char *name, QRect geometry, const char *letter);
    void addLabels();
    void setTabOrder();
    void addStepButton(const StepButton &layout);

    void textWritten(Place place, std::string_view text) override;
    void beadsSet(Place place, int shown) override;
    void errorRequested() override;

    AbacusCore core_;
    DigitKeyFilter *keyFilter_ = nullptr;
    BeadCanvas *canvas_ = nullptr;
    std::array<DigitBox *, placeCount> boxes_ {};
    ReloadableWindow errorDialog_;
    ReloadableWindow about_;
};

} // namespace tallino
