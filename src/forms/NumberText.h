#pragma once

#include <QDateTime>
#include <QString>

// Numbers, Booleans and dates turned into text the way every window writes them.
namespace forms {

// General form: shortest text with up to 15 significant digits and the system's decimal
// separator (128.5, 21.1033333333333, 7; never 128.50 or 1.5e+02).
QString numText(double value);
QString boolText(bool value);  // "True" / "False"
// General date and time text (short date with the full year, time with seconds); empty for an
// invalid date.
QString dateTimeText(const QDateTime& when);

}  // namespace forms
