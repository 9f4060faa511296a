#pragma once

#include <QString>

namespace pelmar {

// A value as a statement literal: between apostrophes, with every apostrophe
// inside doubled, so no value can end its literal early.
QString quoted(const QString& value);

} // namespace pelmar
