#pragma once

#include "common/exception.h"
#include "print/reportvariables.h"

#include <QHash>
#include <QVariant>

// A declaration held in plain tables: what the main window's fields would answer.
class FakeDeclaration : public DeclarationSource
{
public:
    QHash<QString, QString> texts;
    QHash<QString, QVariant> values; // a string value stands for a text that does not convert
    QHash<QString, QString> captions;
    int reasonOption = 0;
    QStringList reasonCaptions{QStringLiteral("Bevallás"), QStringLiteral("Záró bevallás"), QStringLiteral("Egyéb")};
    bool privateIndividual = true;
    QDate birthDate{1970, 3, 15};

    QString fieldText(const QString &fieldName) const override { return texts.value(fieldName); }

    DecimalNumber numericValue(const QString &fieldName) const override
    {
        const QVariant value = values.value(fieldName, 0.0);
        if (value.typeId() == QMetaType::QString)
            throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(value.toString()));
        return DecimalNumber::fromExtended(value.toDouble());
    }

    QString labelCaption(const QString &labelName) const override { return captions.value(labelName, QStringLiteral("0")); }
    int selectedOption(const QString &) const override { return reasonOption; }
    QStringList optionCaptions(const QString &) const override { return reasonCaptions; }
    bool isChecked(const QString &) const override { return privateIndividual; }
    QDate date(const QString &) const override { return birthDate; }
};

// A filled-in declaration whose every answer fits its box on the page.
inline FakeDeclaration filledDeclaration()
{
    FakeDeclaration declaration;
    declaration.texts = {
        {QStringLiteral("PBNumEdit5"), QStringLiteral("12")},
        {QStringLiteral("PBNumEdit2"), QStringLiteral("7")},
        {QStringLiteral("Edit2"), QStringLiteral("Árvíz Bt.")},
        {QStringLiteral("Edit3"), QStringLiteral("Győr")},
        {QStringLiteral("Edit7"), QStringLiteral("Kiss Ilona")},
        {QStringLiteral("LMDMaskEdit3"), QStringLiteral("8123456789")},
        {QStringLiteral("LMDMaskEdit2"), QStringLiteral("12345678-2-08")},
        {QStringLiteral("LMDMaskEdit1"), QStringLiteral("12345678-6810-113-08")},
        {QStringLiteral("LMDMaskEdit31"), QStringLiteral("11773016-12345678-********")},
        {QStringLiteral("LMDMaskEdit32"), QStringLiteral("1234")},
        {QStringLiteral("Edit75"), QStringLiteral("Minta")},
        {QStringLiteral("Edit76"), QStringLiteral("Fő")},
        {QStringLiteral("Edit77"), QStringLiteral("utca")},
        {QStringLiteral("Edit78"), QStringLiteral("12")},
        {QStringLiteral("Edit79"), QStringLiteral("A")},
        {QStringLiteral("Edit80"), QStringLiteral("2")},
        {QStringLiteral("Edit81"), QStringLiteral("3")},
        {QStringLiteral("Edit82"), QStringLiteral("4")},
        {QStringLiteral("LMDMaskEdit33"), QStringLiteral("9021")},
        {QStringLiteral("Edit83"), QStringLiteral("Győr")},
        {QStringLiteral("Edit84"), QStringLiteral("Kossuth")},
        {QStringLiteral("Edit85"), QStringLiteral("tér")},
        {QStringLiteral("Edit86"), QStringLiteral("5")},
        {QStringLiteral("Edit91"), QStringLiteral("06-1-234-5678")},
        {QStringLiteral("Edit92"), QStringLiteral("arviz@example.hu")},
    };
    declaration.values = {
        {QStringLiteral("PBNumEdit4"), 1234.5},
        {QStringLiteral("PBNumEdit1"), 10000.0},
        {QStringLiteral("PBNumEdit7"), 0.0},
    };
    declaration.captions = {
        {QStringLiteral("Label29"), QStringLiteral("14700")},
        {QStringLiteral("Label9"), QStringLiteral("13466")},
        {QStringLiteral("Label23"), QStringLiteral("-52500")},
    };
    return declaration;
}
