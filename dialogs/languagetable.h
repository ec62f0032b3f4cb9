#pragma once

#include <QString>

namespace MessDlgs {

// Entries of one language row: the Cancel caption of the input box, the titles of the typed message
// boxes, an always empty entry for the custom type, and the button captions in button order.
enum LanguageEntry {
    entryInputCancel = 0,
    entryWarningTitle = 1,
    entryErrorTitle = 2,
    entryInformationTitle = 3,
    entryConfirmationTitle = 4,
    entryCustomTitle = 5,
    entryFirstButton = 6,
};

constexpr int languageEntryCount = 17;

// A caption of the language table. A language outside the table falls back to English rather than
// reading past it.
QString languageText(int language, int entry);

} // namespace MessDlgs
