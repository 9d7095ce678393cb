#include "aboutdialog.h"

#include "buildinfo.h"
#include "windowsupport.h"

#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace tallino {

namespace {

namespace layout {
constexpr TwipsRect client { 0, 0, 5730, 3555 };
constexpr Control picture { "picIcon", { 240, 240, 540, 540 }, 1 };
constexpr Control okButton { "cmdOK", { 4245, 2625, 1260, 825 }, 0 };
constexpr Control description { "lblDescription", { 1050, 1125, 3885, 1050 }, 2 };
constexpr Control title { "lblTitle", { 1080, 240, 3885, 480 }, 4 };
constexpr Control disclaimer { "lblDisclaimer", { 255, 2625, 3870, 825 }, 3 };
constexpr FontSpec titleFont { "Arial", 18, true };
// The etched separator: the white line is drawn over the grey one.
constexpr TwipsLine greyLine { 120, 2400, 5684, 2400, 1 };
constexpr TwipsLine whiteLine { 120, 2400, 5669, 2400, 2 };
constexpr Rgb grey { 128, 128, 128 };
constexpr Rgb white { 255, 255, 255 };
constexpr Rgb text { 0, 0, 0 };
} // namespace layout

const QString description =
    QStringLiteral("Questo programmino permette dii rappresentare su di un tallino unità, "
                   "decine, centinaia e migliaia.")
    + QString(189, u' ') + QStringLiteral("Dedicato a mio papà");

const QString disclaimer = QStringLiteral("Programma gratuito per la scuola: copialo e regalalo "
                                          "liberamente, ma non venderlo. Nessuna garanzia.");

class AboutDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.scale(1 / twipsPerPixel, 1 / twipsPerPixel);
        drawLine(painter, layout::greyLine, layout::grey);
        drawLine(painter, layout::whiteLine, layout::white);
    }

private:
    static void drawLine(QPainter &painter, const TwipsLine &line, const Rgb &colour)
    {
        painter.setPen(
            QPen(colour.colour(), line.widthPx * twipsPerPixel, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
};

QLabel *addBlackLabel(QWidget *about, const Control &control, const QString &text)
{
    QLabel *label = addTextLabel(about, control, text);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, layout::text.colour());
    label->setPalette(palette);
    return label;
}

void runOpeningSteps(QWidget *about, QLabel *title)
{
    about->setWindowTitle(QStringLiteral("About ") + QLatin1String(applicationTitle));
    title->setText(QLatin1String(applicationTitle));
}

} // namespace

QWidget *createAboutDialog()
{
    auto *about = new AboutDialog;
    makeFixedWindow(
        about, "frmAbout", QStringLiteral("Informazioni"), WindowKind::Tool, layout::client);

    auto *picture = new QLabel(about);
    picture->setObjectName(QString::fromLatin1(layout::picture.name));
    picture->setPixmap(QPixmap(QStringLiteral(":/abacus.xpm")));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setLineWidth(2);
    picture->setGeometry(layout::picture.box.pixels());
    picture->setAccessibleName(QStringLiteral("Disegno di un tallino"));

    QPushButton *ok = addOkButton(
        about, layout::okButton, QStringLiteral("Chiude la finestra delle informazioni"));
    ok->setDefault(true); // Escape presses it too: a dialog's Escape closes it

    addBlackLabel(about, layout::description, description);
    QLabel *title = addBlackLabel(about, layout::title, QStringLiteral("TALLINO 3.0"));
    title->setFont(fontOf(layout::titleFont));
    addBlackLabel(about, layout::disclaimer, disclaimer);

    runOpeningSteps(about, title);
    return about;
}

} // namespace tallino
