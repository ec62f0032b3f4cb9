#include "print/reportvariables.h"

#include "common/exception.h"
#include "common/messagevalue.h"
#include "common/regionalsettings.h"

#include <functional>
#include <utility>

namespace {

// The third option of the reason group, "Egyéb", takes its text from the free-text field.
constexpr int otherReasonOption = 2;

const QString notPrivateIndividual = QStringLiteral("-");

// The computed results are plain decimal integers; reading them as numbers is what the page prints.
DecimalNumber captionNumber(const QString &caption)
{
    const std::optional<DecimalNumber> value = DecimalNumber::parse(caption.toStdString());
    if (!value) {
        throw EConvertError(
            QStringLiteral("'%1' is not a valid floating point value").arg(messagevalue::shortened(caption)));
    }
    return *value;
}

QString reasonOfReturn(const DeclarationSource &declaration)
{
    const QString group = QStringLiteral("LMDRadioGroup7");
    const int option = declaration.selectedOption(group);
    if (option == otherReasonOption)
        return declaration.fieldText(QStringLiteral("Edit9"));
    const QStringList captions = declaration.optionCaptions(group);
    if (option < 0 || option >= captions.size())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(option));
    return captions.at(option);
}

AddressPieces addressGroup(const DeclarationSource &declaration, const QString &postcodeField, int firstEdit)
{
    const auto edit = [&](int offset) {
        return declaration.fieldText(QStringLiteral("Edit%1").arg(firstEdit + offset));
    };
    return {declaration.fieldText(postcodeField), edit(0), edit(1), edit(2), edit(3), edit(4), edit(5), edit(6),
            edit(7)};
}

QString amount(const DecimalNumber &value)
{
    return amountText(value, Regional::settings().thousandSeparator);
}

QString privateIndividualOnly(const DeclarationSource &declaration, const std::function<QString()> &answer)
{
    return declaration.isChecked(QStringLiteral("CheckBox1")) ? answer() : notPrivateIndividual;
}

} // namespace

QString amountText(const DecimalNumber &value, QChar thousandSeparator)
{
    const DecimalNumber rounded = value.roundedToFraction(0);
    const QString digits = QString::fromLatin1(rounded.integerDigits());
    QString text = rounded.isNegative() ? QStringLiteral("-") : QString();
    for (qsizetype position = 0; position < digits.size(); ++position) {
        if (position > 0 && (digits.size() - position) % 3 == 0 && !thousandSeparator.isNull())
            text += thousandSeparator;
        text += digits[position];
    }
    return text + QStringLiteral(" Ft.");
}

QString addressText(const AddressPieces &address)
{
    if (address.city.isEmpty())
        return QStringLiteral("-");
    QString text = address.postcode + u' ' + address.city + QStringLiteral(", ") + address.streetName + u' '
        + address.streetKind + u' ' + address.houseNumber + QStringLiteral(". ");
    if (!address.building.isEmpty())
        text += address.building + QStringLiteral(" ép. ");
    if (!address.staircase.isEmpty())
        text += address.staircase + QStringLiteral(". lh. ");
    if (!address.floor.isEmpty())
        text += address.floor + QStringLiteral(". em. ");
    if (!address.door.isEmpty())
        text += address.door + QStringLiteral(" ajtó ");
    return text;
}

std::optional<QString> reportVariable(const QString &variableName, const DeclarationSource &declaration,
                                      const QString &printIdentifier, QDate today)
{
    const auto field = [&](const char *name) { return declaration.fieldText(QString::fromLatin1(name)); };
    const auto caption = [&](const char *name) {
        return amount(captionNumber(declaration.labelCaption(QString::fromLatin1(name))));
    };
    const auto value = [&](const char *name) {
        return amount(declaration.numericValue(QString::fromLatin1(name)));
    };

    // Names and answers in the order the page asks them; each row is tried only when its name matches.
    const std::pair<const char *, std::function<QString()>> answers[] = {
        {"m1", [&] { return reasonOfReturn(declaration); }},
        {"m2", [] { return QString(); }},
        {"m3", [&] { return field("PBNumEdit5"); }},
        {"m4", [&] { return field("PBNumEdit2"); }},
        {"m5", [&] { return caption("Label29"); }},
        {"m6", [&] { return value("PBNumEdit4"); }},
        {"m7", [&] { return caption("Label9"); }},
        {"m8", [&] { return value("PBNumEdit1"); }},
        {"m9", [&] { return value("PBNumEdit7"); }},
        {"m10", [&] { return caption("Label23"); }},
        {"m11", [&] { return field("Edit2"); }},
        {"m12", [&] { return privateIndividualOnly(declaration, [&] { return field("Edit3"); }); }},
        {"m13",
         [&] {
             return privateIndividualOnly(declaration,
                                          [&] { return dateText(declaration.date(QStringLiteral("DateTimePicker6"))); });
         }},
        {"m14", [&] { return privateIndividualOnly(declaration, [&] { return field("Edit7"); }); }},
        {"m15", [&] { return field("LMDMaskEdit3"); }},
        {"m16", [&] { return field("LMDMaskEdit2"); }},
        {"m17", [&] { return field("LMDMaskEdit1"); }},
        {"m18", [&] { return field("LMDMaskEdit31"); }},
        {"m19", [&] { return addressText(addressGroup(declaration, QStringLiteral("LMDMaskEdit32"), 75)); }},
        {"m20", [&] { return addressText(addressGroup(declaration, QStringLiteral("LMDMaskEdit33"), 83)); }},
        {"m21", [&] { return field("Edit91"); }},
        {"m22", [&] { return field("Edit92"); }},
        {"datum", [&] { return dateText(today); }},
        {"azon", [&] { return printIdentifier; }},
    };
    for (const auto &[name, answer] : answers) {
        if (variableName == QLatin1String(name))
            return answer();
    }
    return std::nullopt;
}
