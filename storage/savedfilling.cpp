#include "storage/savedfilling.h"

#include "common/exception.h"
#include "common/windows1250.h"
#include "common/writeall.h"
#include "dialogs/dialogs.h"
#include "storage/cipher/lbrijndael.h"
#include "storage/fillingformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <exception>
#include <optional>

namespace {

const QString fileName = QStringLiteral("KRVR11007.txt");

// A filling is a few kilobytes, and even every text field filled to its limit stays below this. A larger
// file is none of ours, and decoding it would hold up the window.
constexpr qint64 largestFileSize = 1024 * 1024;

std::optional<QString> askForSavePassword()
{
    MessDlgs::Settings &dialogs = MessDlgs::settings();
    dialogs.language = MessDlgs::Hungarian;
    dialogs.buttonColourScheme = 8;
    dialogs.panelColourScheme = 4;
    QString password;
    const QString caption = QStringLiteral("Kérek egy jelszót!");
    const QString prompt = QStringLiteral("A jelszó a későbbi visszatöltésnél kell majd:");
    if (!AskForText(caption, prompt, QString(), password))
        return std::nullopt;
    return password;
}

std::optional<QString> askForLoadPassword()
{
    MessDlgs::settings().language = MessDlgs::Hungarian;
    QString password;
    if (!AskForText(QStringLiteral("Jelszóellenőrzés"), QStringLiteral("Kérem a jelszót"), QString(), password))
        return std::nullopt;
    return password;
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

[[noreturn]] void failToCreate(const QString &path, const QString &reason)
{
    throw Exception(QStringLiteral("Cannot create file \"%1\". %2").arg(nativePath(path), reason));
}

[[noreturn]] void failToOpen(const QString &path, const QString &reason)
{
    throw Exception(QStringLiteral("Cannot open file \"%1\". %2").arg(nativePath(path), reason));
}

// A save killed between writing its temporary file and renaming it leaves the temporary behind, named
// as QSaveFile names them: the file's name, a full stop and six letters or digits.
void removeLeftoverTemporaries(const QString &folder)
{
    static const QRegularExpression temporaryName(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(fileName) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QDir directory(folder);
    for (const QString &name : directory.entryList({fileName + QStringLiteral(".*")}, QDir::Files | QDir::Hidden)) {
        if (temporaryName.match(name).hasMatch())
            directory.remove(name);
    }
}

// What the file holds, when it can be read whole and is no larger than a filling may be.
std::optional<QByteArray> readPrevious(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.read(largestFileSize + 1);
    if (file.error() != QFileDevice::NoError || content.size() > largestFileSize)
        return std::nullopt;
    return content;
}

// Puts back what the file held, unless it still holds it. The space a failed write freed holds it again.
void putBack(const QString &path, const QByteArray &previous)
{
    if (readPrevious(path) == previous)
        return;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        writeAll(file, previous);
}

// Written to a temporary file and renamed over the old one, so that a failure never leaves a half-written
// file or loses the previous filling; commit() syncs the file to the disk before the rename.
void writeWhole(const QString &path, const QByteArray &content)
{
    const QFileInfo existing(path);
    const bool isNew = !existing.exists();
    // Only a regular file is read: reading a named pipe in its place would wait for a writer that never
    // comes, and the window would hang.
    const std::optional<QByteArray> previous = existing.isFile() ? readPrevious(path) : std::nullopt;
    QString failure;
    {
        QSaveFile file(path);
        // A folder the user may not write can still hold a file the user may; that file is then written
        // in place, which QSaveFile does only when the folder refuses its temporary file.
        file.setDirectWriteFallback(true);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            failToCreate(path, file.errorString());
        // The filling is a tax declaration: a new file is for its owner only; an existing one keeps the
        // mode its owner gave it. A file system may refuse the mode (a FAT stick mounted for another
        // owner, some FUSE mounts); there its own settings decide who reads the file, and the save
        // goes on.
        if (isNew && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            file.unsetError();
        if (writeAll(file, content) && file.commit())
            return;
        failure = file.errorString();
    }
    // Written in place, the file has no copy beside it to keep the previous filling.
    if (previous)
        putBack(path, *previous);
    failToCreate(path, failure);
}

// Read no further than one byte beyond the largest filling: enough for the load to refuse the file.
QByteArray readWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failToOpen(path, file.errorString());
    const QByteArray content = file.read(largestFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        failToOpen(path, file.errorString());
    return content;
}

// A line end that an editor added after the Base64 line is not part of it.
QString withoutTrailingLineEnds(QString text)
{
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text;
}

void writeValue(FillingForm &form, const FormComponent &field)
{
    switch (field.kind) {
    case ComponentKind::TEdit:
        form.setText(field.name, field.text);
        break;
    case ComponentKind::TPBNumEdit:
        form.setNumberText(field.name, field.text);
        break;
    case ComponentKind::TLMDMaskEdit:
        form.setMaskText(field.name, field.text);
        break;
    case ComponentKind::TDateTimePicker:
        form.setDate(field.name, field.date);
        break;
    case ComponentKind::TLMDRadioGroup:
        form.setOptionIndex(field.name, field.optionIndex);
        break;
    default:
        break;
    }
}

// The enabled states must match the loaded option and check box even when a loaded number does not
// convert, so both rules run before the recomputation's failure goes on.
void applyComputationAndRules(FillingForm &form)
{
    std::exception_ptr recomputationFailure;
    try {
        form.PBNumEdit5Exit();
    } catch (...) {
        recomputationFailure = std::current_exception();
    }
    form.LMDRadioGroup7Click();
    form.CheckBox1Click();
    if (recomputationFailure)
        std::rethrow_exception(recomputationFailure);
}

} // namespace

SavedFilling::SavedFilling(FillingForm &form, TLbRijndael &cipher, const QString &folder,
                           const QString &loadFallbackFolder)
    : m_form(form), m_cipher(cipher), m_folder(folder), m_loadFallbackFolder(loadFallbackFolder)
{
}

QString SavedFilling::filePath() const
{
    return QDir(m_folder).filePath(fileName);
}

void SavedFilling::SaveFilling()
{
    const QStringList fileImage = fillingformat::plaintextLines(m_form.components());
    const std::optional<QString> password = askForSavePassword();
    if (!password)
        return;
    m_cipher.DeriveKey(*password);
    const QString encrypted = m_cipher.EncryptText(fillingformat::joinLines(fileImage));
    const QByteArray content = windows1250::encode(encrypted);
    // What is saved must load back; the previous filling stays rather than be replaced by one that cannot.
    if (content.size() > largestFileSize)
        failToCreate(filePath(), QStringLiteral("File too large"));
    removeLeftoverTemporaries(m_folder);
    writeWhole(filePath(), content);
}

void SavedFilling::LoadFilling()
{
    const std::optional<QString> password = askForLoadPassword();
    if (!password)
        return;
    QString path = filePath();
    if (!QFileInfo(path).isFile() && !m_loadFallbackFolder.isEmpty())
        path = QDir(m_loadFallbackFolder).filePath(fileName);
    if (!QFileInfo(path).isFile()) {
        ShowInformationBox(QStringLiteral("Nincs mentés!           ."));
        return;
    }
    if (loadFileContent(m_form, m_cipher, *password, readWhole(path)) == LoadOutcome::WrongPassword)
        ShowInformationBox(QStringLiteral("Hibás jelszó!           ."));
}

LoadOutcome loadFileContent(FillingForm &form, TLbRijndael &cipher, const QString &password, const QByteArray &content)
{
    if (content.size() > largestFileSize)
        throw ECipherException(QStringLiteral("Invalid file format"));
    const QString fileText = withoutTrailingLineEnds(windows1250::decode(content));
    cipher.DeriveKey(password);
    const QString plaintext = cipher.DecryptText(fileText);
    const QStringList fileImage = fillingformat::splitLines(plaintext);
    if (fileImage.isEmpty() || fileImage.constFirst() != fillingformat::markerLine())
        return LoadOutcome::WrongPassword;
    // Every line the program writes ends in CR LF: a plaintext without it was cut short or garbled at its
    // end, and loading its lines would bring back a part of the filling as if it were all of it.
    if (!plaintext.endsWith(QStringLiteral("\r\n")))
        throw ECipherException(QStringLiteral("Invalid file format"));
    const QList<FormComponent> values = fillingformat::loadedValues(fileImage.mid(1), form.components());
    for (const FormComponent &field : values)
        writeValue(form, field);
    applyComputationAndRules(form);
    return LoadOutcome::Loaded;
}
