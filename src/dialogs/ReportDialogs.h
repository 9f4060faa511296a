#pragma once

namespace pelmar {

// Puts every report dialog of the program behind its menu buttons.
void registerReportDialogs();

} // namespace pelmar
