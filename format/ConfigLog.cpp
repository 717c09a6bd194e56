#include "format/ConfigLog.h"

#include "framework/portable/Convert.h"
#include "framework/runtime/StringList.h"

std::optional<TRememberedChoice> ParseConfigLog(const TStringList& lines) {
    if (lines.Count() < 3)
        return std::nullopt;
    int32_t option = 0;
    if (!TryStrToInt(lines[2], option) || option < -128 || option > 127)
        return std::nullopt;
    TRememberedChoice choice;
    choice.AutoStart = lines[0] == "-1";
    choice.SavedOption = static_cast<int8_t>(option);
    return choice;
}

void FillConfigLog(TStringList& lines, bool rememberChoice, bool directXOk, int optionIndex) {
    lines.Clear();
    lines.Add(rememberChoice ? "-1" : "0");
    lines.Add(directXOk ? "-1" : "0");
    lines.Add(IntToStr(optionIndex));
}
