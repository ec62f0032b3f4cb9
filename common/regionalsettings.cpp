#include "common/regionalsettings.h"

#include "common/exception.h"

RegionalSettings RegionalSettings::fromLocale(const QLocale &locale)
{
    RegionalSettings settings;
    settings.decimalSeparator = locale.decimalPoint().at(0);
    settings.thousandSeparator = locale.groupSeparator().at(0);
    settings.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    return settings;
}

Regional &Regional::instance()
{
    static Regional regional;
    return regional;
}

Regional::Regional()
    : m_settings(RegionalSettings::fromLocale(QLocale::system()))
{
}

void Regional::setSettings(const RegionalSettings &settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    Q_EMIT changed();
}

void Regional::reloadFromSystem()
{
    setSettings(RegionalSettings::fromLocale(QLocale::system()));
}

QString dateText(QDate date)
{
    return date.toString(Regional::settings().shortDateFormat);
}

QDate parseDateText(const QString &text)
{
    const QString format = Regional::settings().shortDateFormat;
    const QString trimmed = text.trimmed();
    QDate date = QDate::fromString(trimmed, format);
    // A format with two-digit years still reads a date written with all four digits.
    if (!date.isValid() && !format.contains(QLatin1String("yyyy")) && format.contains(QLatin1String("yy")))
        date = QDate::fromString(trimmed, QString(format).replace(QLatin1String("yy"), QLatin1String("yyyy")));
    if (!date.isValid())
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return date;
}
