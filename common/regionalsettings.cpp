#include "common/regionalsettings.h"


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
