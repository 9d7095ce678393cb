#include "aboutdialog.h"

#include "buildinfo.h"
#include "twips.h"
#include "windowsupport.h"

#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace tallino {

namespace {

// The etched separator: a grey line with a white one drawn over it.
class AboutDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.scale(1 / twipsPerPixel, 1 / twipsPerPixel);
        painter.setPen(QPen(QColor(128, 128, 128), 1 * twipsPerPixel, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(120, 2400, 5684, 2400);
        painter.setPen(QPen(Qt::white, 2 * twipsPerPixel, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(120, 2400, 5669, 2400);
    }
};

const QString description =
    QStringLiteral("Questo programmino permette dii rappresentare su di un tallino unità, "
                   "decine, centinaia e migliaia.")
    + QString(189, u' ') + QStringLiteral("Dedicato a mio papà");

const QString disclaimer = QStringLiteral("Programma gratuito per la scuola: copialo e regalalo "
                                          "liberamente, ma non venderlo. Nessuna garanzia.");

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
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
    about->setObjectName(QStringLiteral("frmAbout"));
    about->setWindowTitle(QStringLiteral("Informazioni"));
    makeFixedWindow(about, WindowKind::Tool, twipsSize(5730, 3555));

    auto *picture = new QLabel(about);
    picture->setObjectName(QStringLiteral("picIcon"));
    picture->setPixmap(QPixmap(QStringLiteral(":/abacus.xpm")));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setLineWidth(2);
    picture->setGeometry(twipsRect(240, 240, 540, 540));
    picture->setAccessibleName(QStringLiteral("Disegno di un tallino"));

    auto *ok = new QPushButton(QStringLiteral("OK"), about);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(twipsRect(4245, 2625, 1260, 825));
    ok->setDefault(true);
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setAccessibleDescription(QStringLiteral("Chiude la finestra delle informazioni"));
    QObject::connect(ok, &QPushButton::clicked, about, &QDialog::accept);

    addLabel(about, "lblDescription", description, twipsRect(1050, 1125, 3885, 1050));
    QLabel *title =
        addLabel(about, "lblTitle", QStringLiteral("TALLINO 3.0"), twipsRect(1080, 240, 3885, 480));
    title->setFont(pointFont("Arial", 18, true));
    addLabel(about, "lblDisclaimer", disclaimer, twipsRect(255, 2625, 3870, 825));

    ok->setFocus();
    runOpeningSteps(about, title);
    return about;
}

} // namespace tallino
