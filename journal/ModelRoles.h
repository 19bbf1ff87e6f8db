#pragma once

#include <QVariant>
#include <Qt>

namespace tarvis {

// Roles beyond Qt's own that the journal's views read.
namespace rolle {
inline constexpr int Zone = Qt::UserRole + 1;   // the zone 1..4 of a zone cell, for its colour
inline constexpr int Gesamt = Qt::UserRole + 2; // true on the row of the total
} // namespace rolle

// The alignment role's value: figures to the right, texts to the left.
inline QVariant Ausrichtung(bool rechts) {
    return QVariant::fromValue(int((rechts ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
}

} // namespace tarvis
