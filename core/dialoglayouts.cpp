#include "dialoglayouts.h"

#include "buildinfo.h"

namespace tallino {

namespace {

WindowDescription describeErrorDialog()
{
    return { .name = "dialog",
        .caption = "ERRORE",
        .client = { 0, 0, 6030, 1890 },
        .controls = {
            button("OKButton", { 600, 1440, 5055, 375 }, {}, "OK", "OK",
                "Chiude l'avviso e torna al tallino", Command::CloseWindow),
            { .kind = ControlKind::Label,
                .name = "Label1",
                .box = { 720, 360, 4575, 855 },
                .font = { "MS Sans Serif", 13.5, true },
                .text = "PUOI INSERIRE SOLO NUMERI" + std::string(9, ' ') + "COMPRESI TRA 0 E 9" },
        } };
}

// Black on the window's own ground.
ControlDescription blackLabel(const char *name, TwipsRect box, std::string text)
{
    return { .kind = ControlKind::Label,
        .name = name,
        .box = box,
        .text = std::move(text),
        .ink = Rgb { 0, 0, 0 } };
}

// Its caption and title are replaced by the opening steps before it is first seen.
WindowDescription describeAbout()
{
    ControlDescription ok = button("cmdOK", { 4245, 2625, 1260, 825 }, {}, "OK", "OK",
        "Chiude la finestra delle informazioni", Command::CloseWindow);
    ok.isDefault = true;
    ControlDescription title = blackLabel(
        "lblTitle", { 1080, 240, 3885, 480 }, std::string("TALLINO ") + applicationVersion);
    title.font = { "Arial", 18, true };
    return { .name = "frmAbout",
        .caption = "Informazioni",
        .client = { 0, 0, 5730, 3555 },
        .escapeCloses = true,
        .opening = OpeningSteps { std::string("About ") + applicationTitle, 4, applicationTitle },
        .controls = {
            ok,
            { .kind = ControlKind::Picture,
                .name = "picIcon",
                .box = { 240, 240, 540, 540 },
                .spokenName = "Disegno di un tallino" },
            blackLabel("lblDescription", { 1050, 1125, 3885, 1050 },
                "Questo programmino permette dii rappresentare su di un tallino unità, decine, "
                "centinaia e migliaia."
                    + std::string(189, ' ') + "Dedicato a mio papà"),
            blackLabel("lblDisclaimer", { 255, 2625, 3870, 825 },
                "Programma gratuito per la scuola: copialo e regalalo liberamente, ma non "
                "venderlo. "
                "Nessuna garanzia."),
            title,
        },
        // The etched separator under the description: the white line over the grey one.
        .lines = {
            { { 120, 2400, 5684, 2400, 1 }, { 128, 128, 128 } },
            { { 120, 2400, 5669, 2400, 2 }, { 255, 255, 255 } },
        } };
}

} // namespace

const WindowDescription &errordialog::window()
{
    static const WindowDescription described = describeErrorDialog();
    return described;
}

const WindowDescription &about::window()
{
    static const WindowDescription described = describeAbout();
    return described;
}

} // namespace tallino
