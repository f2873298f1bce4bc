#include "platform/qt/ScreenScale.h"

#include <QByteArray>
#include <QtGlobal>

#include <cmath>

namespace windlecroft {

// Qt reads these once, as the QApplication starts. Without the screen's own factor, the global
// one is the whole ratio; per-screen factors from the environment would multiply it again.
void forceScreenScale(double factor)
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor, 'g', 17));
}

bool smoothScaling(qreal ratio)
{
    return std::abs(ratio - std::round(ratio)) > 1e-6;
}

QPoint skinPoint(const QPointF& position)
{
    return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

QRect nativeRect(const RegionRect& rect, qreal ratio)
{
    const auto scaled = [ratio](int value) { return static_cast<int>(std::lround(value * ratio)); };
    return QRect(QPoint(scaled(rect.left), scaled(rect.top)), QPoint(scaled(rect.right) - 1, scaled(rect.bottom) - 1));
}

} // namespace windlecroft
