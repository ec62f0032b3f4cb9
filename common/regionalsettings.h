#pragma once

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QObject>
#include <QString>

// The system's regional settings that shape how numbers and dates are read and written. A default
// value holds those of a Hungarian system.
struct RegionalSettings
{
    QChar decimalSeparator = u',';
    QChar thousandSeparator = u' ';
    QString shortDateFormat = QStringLiteral("yyyy.MM.dd."); // a QDate format pattern

    static RegionalSettings fromLocale(const QLocale &locale);

    bool operator==(const RegionalSettings &) const = default;
};

// The settings in force: read from the system at start-up and whenever the system reports a change,
// replaced outright by tests. Widgets that show numbers or dates listen to changed().
class Regional : public QObject
{
    Q_OBJECT

public:
    static Regional &instance();
    static const RegionalSettings &settings() { return instance().m_settings; }

    void setSettings(const RegionalSettings &settings);
    void reloadFromSystem();

Q_SIGNALS:
    void changed();

private:
    Regional();

    RegionalSettings m_settings;
};

// A date as the current short date format writes it.
QString dateText(QDate date);
