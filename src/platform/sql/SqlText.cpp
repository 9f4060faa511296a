#include "platform/sql/SqlText.h"

namespace pelmar {

QString quoted(const QString& value) {
    QString text = value;
    text.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

} // namespace pelmar
