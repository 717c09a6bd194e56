#include "framework/system/Locale.h"

#include <windows.h>

#include "framework/portable/Convert.h"

void InitFormatSettingsFromLocale() {
    char separator[8] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof(separator)) > 0 &&
        separator[0] != '\0')
        SetDecimalSeparator(separator[0]);
}
