// Build-time helper of the page: prints as JSON what the page's packaging needs of the core, so
// that no text or colour is written again there: every font the windows name, with its
// substitutes and every character it has to show (a digit box's typed digits too), and the
// abacus window's caption and background and the application's ID for the web app manifest.
#include "abacuslayout.h"
#include "buildinfo.h"
#include "dialoglayouts.h"
#include "json.h"
#include "pageplatform.h"

#include <cstdio>
#include <map>
#include <string>
#include <utility>

namespace {

using Face = std::pair<std::string, bool>; // family, bold
using tallino::web::quoted;

std::string typedDigits()
{
    std::string digits;
    for (char32_t c = 0; c < 128; ++c) {
        if (tallino::isTypedDigit(c))
            digits += static_cast<char>(c);
    }
    return digits;
}

std::string &textOf(std::map<Face, std::string> &faces, const tallino::FontSpec &font)
{
    const tallino::FontSpec &shown = font.family ? font : tallino::web::ownFont;
    return faces[{ shown.family, shown.bold }];
}

void addTexts(std::map<Face, std::string> &faces, const tallino::WindowDescription &window)
{
    textOf(faces, tallino::web::ownFont) +=
        window.caption + (window.opening ? window.opening->caption : "");
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        const tallino::ControlDescription &control = window.controls[i];
        std::string &text = textOf(faces, control.font);
        text += control.text;
        if (window.opening && window.opening->control == i)
            text += window.opening->text;
        if (control.kind == tallino::ControlKind::DigitBox)
            text += typedDigits();
    }
}

std::string substitutesOf(const std::string &family)
{
    std::string list;
    for (const tallino::FontSubstitute &row : tallino::fontSubstitutes) {
        if (row.family != family)
            continue;
        for (const char *substitute : row.substitutes) {
            if (substitute)
                list += (list.empty() ? "" : ", ") + quoted(substitute);
        }
    }
    return "[" + list + "]";
}

std::string hex(const tallino::Rgb &rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
    return text;
}

} // namespace

int main()
{
    std::map<Face, std::string> faces;
    const tallino::WindowDescription &abacus = tallino::abacus::window();
    for (const auto *window :
        { &abacus, &tallino::errordialog::window(), &tallino::about::window() })
        addTexts(faces, *window);
    textOf(faces, tallino::web::ownFont) +=
        std::string(tallino::web::closedText) + tallino::web::restartText;
    std::printf("{\"id\": %s, \"caption\": %s, \"background\": \"%s\", \"faces\": [",
        quoted(tallino::applicationId).c_str(), quoted(abacus.caption).c_str(),
        hex(*abacus.background).c_str());
    const char *separator = "";
    for (const auto &[face, text] : faces) {
        std::printf("%s\n {\"family\": %s, \"bold\": %s, \"substitutes\": %s, \"text\": %s}",
            separator, quoted(face.first).c_str(), face.second ? "true" : "false",
            substitutesOf(face.first).c_str(), quoted(text).c_str());
        separator = ",";
    }
    std::printf("]}\n");
}
