#pragma once

class QPrinter;

namespace pelmar {

// The one printer of the program: Page Setup edits it and every print uses it.
QPrinter& reportPrinter();

} // namespace pelmar
