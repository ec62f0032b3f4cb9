#include "common/exception.h"
#include "common/regionalsettings.h"
#include "common/windows1250.h"
#include "form/catalogue.h"
#include "form/taxcomputation.h"
#include "storage/cipher/lbrijndael.h"
#include "storage/savedfilling.h"

#include <QHash>
#include <QStringList>
#include <cstddef>
#include <cstdint>

// The whole load path on hostile files: file bytes, Base64, cipher, lines, values, the fields of a form
// built from the window's catalogue, and the recomputation. A load may only succeed or raise a failure
// with a message that quotes no more than a shortened value. A failure before the recomputation must
// leave every field as it was. Only components of the catalogue may be written, each through the
// setter of its kind with a value that kind can hold.
//
// The first input byte chooses how the rest is used. Bit 0 clear: the rest is the file's content.
// Bit 0 set: the rest is a plaintext, enciphered under the password as a save would, and the Base64 text
// cut by bits 3 to 7 characters at its end, so that the fuzzer reaches the lines past the marker line.
// Bits 1 and 2 choose the short date format.

namespace {

const QString password = QStringLiteral("titok");

const QStringList dateFormats{QStringLiteral("yyyy.MM.dd."), QStringLiteral("M/d/yy"), QStringLiteral("dd.MM.yy"),
                              QStringLiteral("d MMMM 'yy'''yy")};

class StandInForm : public FillingForm, public TaxSheet
{
public:
    StandInForm()
    {
        for (const CatalogueRow &row : catalogue()) {
            FormComponent component;
            component.name = QString::fromUtf8(row.name);
            component.kind = row.kind;
            component.text = QString::fromUtf8(row.text);
            if (row.kind == ComponentKind::TDateTimePicker)
                component.date = QDate(row.year, row.month, row.day);
            if (row.kind == ComponentKind::TLMDRadioGroup) {
                component.optionIndex = row.itemIndex;
                component.optionCount = int(QString::fromUtf8(row.items).split(u'\n').size());
            }
            m_index.insert(component.name, m_components.size());
            m_components.append(component);
        }
    }

    int writes = 0;
    bool recomputed = false;

    QList<FormComponent> components() const override { return m_components; }

    void setText(const QString &name, const QString &text) override { written(name, ComponentKind::TEdit).text = text; }
    void setNumberText(const QString &name, const QString &text) override
    {
        written(name, ComponentKind::TPBNumEdit).text = text;
    }
    void setMaskText(const QString &name, const QString &text) override
    {
        written(name, ComponentKind::TLMDMaskEdit).text = text;
    }
    void setDate(const QString &name, QDate date) override
    {
        FormComponent &field = written(name, ComponentKind::TDateTimePicker);
        if (!date.isValid() || date < field.minimumDate || date > field.maximumDate)
            __builtin_trap();
        field.date = date;
    }
    void setOptionIndex(const QString &name, int index) override
    {
        FormComponent &field = written(name, ComponentKind::TLMDRadioGroup);
        if (index < -1 || index >= field.optionCount)
            __builtin_trap();
        field.optionIndex = index;
    }

    void PBNumEdit5Exit() override
    {
        recomputed = true;
        recomputeTax(*this);
    }
    void LMDRadioGroup7Click() override {}
    void CheckBox1Click() override {}

    QString fieldText(const QString &name) const override { return component(name).text; }
    QString caption(const QString &name) const override { return component(name).text; }
    void setCaption(const QString &name, const QString &caption) override
    {
        if (component(name).kind != ComponentKind::TLabel)
            __builtin_trap();
        m_components[m_index.value(name)].text = caption;
    }

    bool unchangedFrom(const StandInForm &other) const
    {
        for (qsizetype index = 0; index < m_components.size(); ++index) {
            const FormComponent &mine = m_components.at(index);
            const FormComponent &theirs = other.m_components.at(index);
            if (mine.text != theirs.text || mine.date != theirs.date || mine.optionIndex != theirs.optionIndex)
                return false;
        }
        return true;
    }

private:
    const FormComponent &component(const QString &name) const
    {
        const auto found = m_index.constFind(name);
        if (found == m_index.cend())
            __builtin_trap();
        return m_components.at(*found);
    }

    // Names come spelled as the catalogue spells them, and a setter only serves its own kind.
    FormComponent &written(const QString &name, ComponentKind kind)
    {
        if (component(name).kind != kind)
            __builtin_trap();
        ++writes;
        return m_components[m_index.value(name)];
    }

    QList<FormComponent> m_components;
    QHash<QString, qsizetype> m_index;
};

QByteArray fileContent(const uint8_t *data, size_t size)
{
    const QByteArray rest(reinterpret_cast<const char *>(data) + 1, qsizetype(size) - 1);
    if ((data[0] & 1) == 0)
        return rest;
    static const TLbRijndael cipher = [] {
        TLbRijndael keyed;
        keyed.DeriveKey(password);
        return keyed;
    }();
    QByteArray encrypted = cipher.EncryptText(windows1250::decode(rest)).toLatin1();
    encrypted.chop(data[0] >> 3);
    return encrypted;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    RegionalSettings settings;
    settings.shortDateFormat = dateFormats.at((data[0] >> 1) & 3);
    Regional::instance().setSettings(settings);

    static const StandInForm before;
    StandInForm form;
    TLbRijndael cipher;
    try {
        loadFileContent(form, cipher, password, fileContent(data, size));
    } catch (const Exception &failure) {
        // Every failure, the recomputation's among them, quotes at most a shortened value.
        if (failure.message().isEmpty() || failure.message().size() > 200)
            __builtin_trap();
        // The load's own failures come before any field is written.
        if (!form.recomputed && (form.writes != 0 || !form.unchangedFrom(before)))
            __builtin_trap();
    }
    return 0;
}
