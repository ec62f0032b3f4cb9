#pragma once

// Qt's own texts (the text fields' context menu, the file and page set-up dialogs) follow the
// program's language, Hungarian, whatever language the desktop runs in.
namespace qttranslation {

// Installs Qt's Hungarian catalogue from Qt's translations folder (Debian: qt6-translations-l10n) into
// the application object, which must exist. Returns false, and leaves Qt's English texts, when the
// catalogue is not installed.
bool installHungarian();

} // namespace qttranslation
