#pragma once

#include "tariff/Moment.h"

#include <QDate>
#include <QDateTime>

namespace tarvis {

// Conversions between the tariff's calendar types and Qt's.
QDate QDateAus(Datum datum);
Datum DatumAus(QDate datum);
Moment MomentAus(const QDateTime& zeit);
QDateTime QDateTimeAus(Moment moment);

} // namespace tarvis
