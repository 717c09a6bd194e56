#include "authoring/AutorunInf.h"

std::string AutorunInfText(const AutorunSettings& settings) {
    std::string text = "[autorun]\r\n";
    text += "open=" + settings.launcherName + "\r\n";
    // ",0": the first icon resource of the program.
    text +=
        "icon=" + (settings.iconName.empty() ? settings.launcherName + ",0" : settings.iconName) +
        "\r\n";
    if (!settings.label.empty())
        text += "label=" + settings.label + "\r\n";
    if (!settings.action.empty())
        text += "action=" + settings.action + "\r\n";
    return text;
}

std::string AutorunValueProblem(const std::string& text) {
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            return "holds a control character, which cannot stand in autorun.inf";
        if (c == ';')
            return "holds ';', which starts a comment in autorun.inf";
    }
    return {};
}
