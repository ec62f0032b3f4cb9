#pragma once

#include "storage/fillingform.h"

#include <QByteArray>
#include <QString>

class TLbRijndael;

// The one saved filling of the declaration: the window's field values, encrypted under a password the
// user types, in the file "KRVR11007.txt" of a given folder (the program passes the one
// storage/fillinglocation.h chooses).
class SavedFilling
{
public:
    // A load that finds no file in the folder reads the one in the fallback folder, when one is given.
    SavedFilling(FillingForm &form, TLbRijndael &cipher, const QString &folder,
                 const QString &loadFallbackFolder = QString());

    // Asks for a password and replaces the file with the window's values encrypted under it. Cancelling
    // the password box cancels the save. Throws, with the system's reason, when not every byte reached
    // the disk; the previous file then stays as it was. A new file is readable by its owner only.
    void SaveFilling();

    // Asks for the password, then reads the file back into the window and runs the recomputation and the
    // two field rules. Cancelling the password box cancels the load. A missing file or a wrong password is
    // reported in an information box. A file that cannot be read, decrypted or converted throws before
    // any field is written.
    void LoadFilling();

    QString filePath() const;

private:
    FillingForm &m_form;
    TLbRijndael &m_cipher;
    QString m_folder;
    QString m_loadFallbackFolder;
};

enum class LoadOutcome { Loaded, WrongPassword };

// The load after the file has been read: its bytes decrypted under the password and, when the marker
// line shows the password right, written into the form, followed by the recomputation and the two
// field rules. A file larger than a filling can be, a text the cipher refuses and a plaintext cut short
// fail with "Invalid file format" (or the cipher's own failure) before any field is written.
LoadOutcome loadFileContent(FillingForm &form, TLbRijndael &cipher, const QString &password, const QByteArray &content);
