#include "aboutdialog.h"

#include "dialoglayouts.h"
#include "windowsupport.h"

#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace tallino {

namespace {

class AboutDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.scale(1 / twipsPerPixel, 1 / twipsPerPixel);
        drawLine(painter, about::greyLine, about::grey);
        drawLine(painter, about::whiteLine, about::white);
    }

private:
    static void drawLine(QPainter &painter, const TwipsLine &line, const Rgb &rgb)
    {
        painter.setPen(QPen(colour(rgb), line.widthPx * twipsPerPixel, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
};

QLabel *addBlackLabel(QWidget *window, const Control &control, const QString &caption)
{
    QLabel *label = addTextLabel(window, control, caption);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour(about::ink));
    label->setPalette(palette);
    return label;
}

void runOpeningSteps(QWidget *window, QLabel *title)
{
    window->setWindowTitle(text(about::captionText()));
    title->setText(text(about::titleText()));
}

} // namespace

QWidget *createAboutDialog()
{
    using namespace about;
    auto *window = new AboutDialog;
    makeFixedWindow(window, windowName, storedCaption, WindowKind::Tool, client);

    auto *icon = new QLabel(window);
    icon->setObjectName(text(picture.name));
    icon->setPixmap(QPixmap(QStringLiteral(":/abacus.xpm")));
    icon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    icon->setLineWidth(2);
    icon->setGeometry(pixels(picture.box));
    icon->setAccessibleName(text(pictureName));

    QPushButton *ok = addOkButton(window, okButton, okSpoken);
    ok->setDefault(true); // Escape presses it too: a dialog's Escape closes it

    addBlackLabel(window, description, text(descriptionText()));
    QLabel *titleLabel = addBlackLabel(window, title, text(storedTitle));
    titleLabel->setFont(fontOf(titleFont));
    addBlackLabel(window, disclaimer, text(disclaimerText));

    runOpeningSteps(window, titleLabel);
    return window;
}

} // namespace tallino
