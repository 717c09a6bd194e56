// Format settings taken from the user's locale.
#pragma once

// Sets the decimal separator used by StrToBool/TryStrToFloat from the user's
// locale (GetLocaleInfoA, LOCALE_SDECIMAL). The application calls it once at start-up.
void InitFormatSettingsFromLocale();
