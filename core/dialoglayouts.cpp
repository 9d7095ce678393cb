#include "dialoglayouts.h"

#include "buildinfo.h"

namespace tallino {

std::string errordialog::messageText()
{
    return "PUOI INSERIRE SOLO NUMERI" + std::string(9, ' ') + "COMPRESI TRA 0 E 9";
}

std::string about::descriptionText()
{
    return "Questo programmino permette dii rappresentare su di un tallino unità, decine, "
           "centinaia e migliaia."
        + std::string(189, ' ') + "Dedicato a mio papà";
}

std::string about::captionText()
{
    return std::string(captionPrefix) + applicationTitle;
}

std::string about::titleText()
{
    return applicationTitle;
}

} // namespace tallino
