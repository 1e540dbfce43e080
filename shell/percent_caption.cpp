#include "percent_caption.h"

namespace sorvani::shell {

QString PercentCaption(int64_t position, int64_t total) {
    if (total <= 0) return QStringLiteral("0%");
    const int64_t scaled = position * 100;
    int64_t percent = scaled / total;
    const int64_t twiceRest = 2 * (scaled % total);
    if (twiceRest > total || (twiceRest == total && percent % 2 == 1)) ++percent;
    return QString::number(percent) + QLatin1Char('%');
}

}  // namespace sorvani::shell
