#include "forms/NumberText.h"

#include <QLocale>
#include <cmath>

namespace forms {

QString numText(double value)
{
    if (value == 0) return QStringLiteral("0");  // also for -0
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1String("e+"), QLatin1String("E+")).replace(QLatin1String("e-"), QLatin1String("E-"));
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String(".")) text.replace(QLatin1Char('.'), point);
    return text;
}

QString boolText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

QString dateTimeText(const QDateTime& when)
{
    if (!when.isValid()) return {};
    const QLocale locale;
    QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    if (!dateFormat.contains(QLatin1String("yyyy"))) dateFormat.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t')).remove(QLatin1Char('T'));  // no time zone
    return locale.toString(when, dateFormat + QLatin1Char(' ') + timeFormat.trimmed());
}

}  // namespace forms
