#pragma once

#include <QIcon>

namespace pelmar {

enum class AppIcon { Application, EndOfDay, BeforeEndOfMonth, AfterEndOfMonth, EndOfYear, Exit };

// The program's own pictures, drawn rather than shipped, so they stay sharp
// at every screen scale.
QIcon appIcon(AppIcon which);

} // namespace pelmar
