#include "storage/fillingformat.h"

#include "common/exception.h"
#include "common/integertext.h"
#include "common/regionalsettings.h"
#include "storage/saveddate.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace {

const QChar nameSeparator = u'_';
const QChar continuationMark = u'$';
const QString lineEnd = QStringLiteral("\r\n");

// A value may hold line breaks of any convention; each further line is saved on a line of its own.
QStringList valueLines(const QString &value)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return value.split(lineBreak);
}

// Every line of a value is tied to its own field: an empty first line or a "_" in a further line must not
// let that line be read as another field's.
void appendFieldLines(QStringList &lines, const FormComponent &field)
{
    const QStringList parts = valueLines(fillingformat::valueText(field));
    for (qsizetype index = 0; index < parts.size(); ++index) {
        if (parts.at(index).isEmpty())
            continue;
        const QString prefix = index == 0 ? QString() : QString(continuationMark);
        lines.append(prefix + field.name + nameSeparator + parts.at(index));
    }
}

// The components by name, letter case not counting: a file may hold many lines to look up.
QHash<QString, const FormComponent *> componentsByName(const QList<FormComponent> &components)
{
    QHash<QString, const FormComponent *> byName;
    for (const FormComponent &component : components)
        byName.insert(component.name.toCaseFolded(), &component);
    return byName;
}

QDate loadedDate(const FormComponent &field, const QString &value)
{
    const QDate date = saveddate::parseDateText(value, Regional::settings().shortDateFormat);
    if (date < field.minimumDate || date > field.maximumDate)
        throw Exception(QStringLiteral("Failed to set calendar date or time"));
    return date;
}

// An index below the first option clears the selection; one beyond the last selects the last.
int loadedOptionIndex(const FormComponent &field, const QString &value)
{
    const int lastOption = std::max(-1, field.optionCount - 1);
    return std::clamp(parseIntegerText(value), -1, lastOption);
}

// The component with the value a line gives it, or nothing when the line sets nothing.
std::optional<FormComponent> loadedValue(const FormComponent &component, const QString &value)
{
    FormComponent loaded = component;
    switch (component.kind) {
    case ComponentKind::TEdit:
    case ComponentKind::TPBNumEdit:
    case ComponentKind::TLMDMaskEdit:
        loaded.text = value;
        return loaded;
    case ComponentKind::TDateTimePicker:
        loaded.date = loadedDate(component, value);
        return loaded;
    case ComponentKind::TLMDRadioGroup:
        if (value.isEmpty())
            return std::nullopt;
        loaded.optionIndex = loadedOptionIndex(component, value);
        return loaded;
    default:
        return std::nullopt;
    }
}

} // namespace

namespace fillingformat {

QString markerLine()
{
    return QStringLiteral("kőfaragók");
}

bool isSavedKind(ComponentKind kind)
{
    return kind == ComponentKind::TEdit || kind == ComponentKind::TPBNumEdit || kind == ComponentKind::TLMDMaskEdit
           || kind == ComponentKind::TDateTimePicker || kind == ComponentKind::TLMDRadioGroup;
}

QString valueText(const FormComponent &field)
{
    if (field.kind == ComponentKind::TDateTimePicker)
        return saveddate::dateText(field.date, Regional::settings().shortDateFormat);
    if (field.kind == ComponentKind::TLMDRadioGroup)
        return QString::number(field.optionIndex);
    return field.text;
}

QStringList plaintextLines(const QList<FormComponent> &components)
{
    QStringList lines{markerLine()};
    for (const FormComponent &component : components) {
        if (isSavedKind(component.kind))
            appendFieldLines(lines, component);
    }
    return lines;
}

QString joinLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + lineEnd;
    return text;
}

QStringList splitLines(const QString &text)
{
    QStringList lines = text.split(lineEnd);
    if (lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QList<FormComponent> loadedValues(const QStringList &fieldLines, const QList<FormComponent> &components)
{
    const QHash<QString, const FormComponent *> byName = componentsByName(components);
    QList<FormComponent> values;
    QHash<QString, qsizetype> valueIndex;
    QString rememberedName;
    for (QString line : fieldLines) {
        line.remove(continuationMark);
        if (!line.contains(nameSeparator)) {
            if (rememberedName.isEmpty())
                continue;
            line = rememberedName + nameSeparator + line;
        }
        const qsizetype separator = line.indexOf(nameSeparator);
        const FormComponent *component = byName.value(line.left(separator).toCaseFolded());
        if (!component)
            continue;
        if (std::optional<FormComponent> loaded = loadedValue(*component, line.mid(separator + 1))) {
            const auto written = valueIndex.constFind(component->name);
            if (written == valueIndex.cend()) {
                valueIndex.insert(component->name, values.size());
                values.append(*loaded);
            } else {
                values[*written] = *loaded;
            }
        }
        rememberedName = component->name;
    }
    return values;
}

} // namespace fillingformat
