#pragma once

#include "store/webrecord.h"

#include <limits>

namespace store {

// Records a visit in the element: the date and time as the user's locale writes them, cut to
// the width the fields always had, and one more visit.
inline void stampVisit(TWebRecord& record, const QString& dateText, const QString& timeText) {
    record.setDato(dateText);
    record.setKlokken(timeText);
    if (record.Visits < std::numeric_limits<qint32>::max())
        record.Visits += 1;
}

} // namespace store
