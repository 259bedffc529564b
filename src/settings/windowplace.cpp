#include "settings/windowplace.h"

#include <algorithm>

namespace {
// value kept within [low, high]; low wins when high is below it.
qint64 fit(qint64 value, qint64 low, qint64 high) {
    return std::max(low, std::min(value, high));
}
} // namespace

QRect fitPlace(const WindowPlace& place, const QRect& current, const QRect& available,
               const QSize& minimum) {
    const qint64 width = fit(place.width.value_or(current.width()), minimum.width(),
                             std::max(minimum.width(), available.width()));
    const qint64 height = fit(place.height.value_or(current.height()), minimum.height(),
                              std::max(minimum.height(), available.height()));
    const qint64 left = fit(place.left.value_or(current.x()), available.x(),
                            qint64(available.x()) + available.width() - width);
    const qint64 top = fit(place.top.value_or(current.y()), available.y(),
                           qint64(available.y()) + available.height() - height);
    return QRect(int(left), int(top), int(width), int(height));
}
