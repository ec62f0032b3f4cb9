#include "storage/savedfilling.h"

#include "common/exception.h"
#include "common/windows1250.h"
#include "dialogs/dialogs.h"
#include "storage/cipher/lbrijndael.h"
#include "storage/fillingformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <exception>
#include <optional>

namespace {

const QString fileName = QStringLiteral("KRVR11007.txt");

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

// Closing the box other than with OK leaves the empty password, and loading goes on with it.
QString askForLoadPassword()
{
    MessDlgs::settings().language = MessDlgs::Hungarian;
    QString password;
    AskForText(QStringLiteral("Jelszóellenőrzés"), QStringLiteral("Kérem a jelszót"), QString(), password);
    return password;
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// Written to a temporary file and renamed over the old one, so that a failure never leaves a half-written
// file or loses the previous filling.
void writeWhole(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw Exception(QStringLiteral("Cannot create file \"%1\". %2").arg(nativePath(path), file.errorString()));
}

QByteArray readWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cannot open file \"%1\". %2").arg(nativePath(path), file.errorString()));
    return file.readAll();
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

SavedFilling::SavedFilling(FillingForm &form, TLbRijndael &cipher, const QString &folder)
    : m_form(form), m_cipher(cipher), m_folder(folder)
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
    writeWhole(filePath(), windows1250::encode(encrypted));
}

void SavedFilling::LoadFilling()
{
    const QString password = askForLoadPassword();
    const QString path = filePath();
    if (!QFileInfo(path).isFile()) {
        ShowInformationBox(QStringLiteral("Nincs mentés!           ."));
        return;
    }
    const QString fileText = withoutTrailingLineEnds(windows1250::decode(readWhole(path)));
    m_cipher.DeriveKey(password);
    const QStringList fileImage = fillingformat::splitLines(m_cipher.DecryptText(fileText));
    if (fileImage.isEmpty() || fileImage.constFirst() != fillingformat::markerLine()) {
        ShowInformationBox(QStringLiteral("Hibás jelszó!           ."));
        return;
    }
    const QList<FormComponent> values = fillingformat::loadedValues(fileImage.mid(1), m_form.components());
    for (const FormComponent &field : values)
        writeValue(m_form, field);
    applyComputationAndRules(m_form);
}
