#pragma once

#include "storage/fillingform.h"

#include <QString>

class TLbRijndael;

// The one saved filling of the declaration: the window's field values, encrypted under a password the
// user types, in the file "KRVR11007.txt" of a given folder (the program passes its executable's folder).
class SavedFilling
{
public:
    SavedFilling(FillingForm &form, TLbRijndael &cipher, const QString &folder);

    // Asks for a password and replaces the file with the window's values encrypted under it. Cancelling
    // the password box cancels the save. Throws when the file cannot be written; the previous file then
    // stays as it was.
    void SaveFilling();

    // Asks for the password, then reads the file back into the window and runs the recomputation and the
    // two field rules. A missing file or a wrong password is reported in an information box. A file that
    // cannot be read, decrypted or converted throws before any field is written.
    void LoadFilling();

    QString filePath() const;

private:
    FillingForm &m_form;
    TLbRijndael &m_cipher;
    QString m_folder;
};
