#pragma once

#include <QString>

namespace pelmar {

// The folder of the program file.
QString applicationFolder();

// Turns a path as the program builds it ("...\REPORTS\Aging.rpt",
// "C:\Documents and Settings\All Users\Desktop\x.xls") into a native path.
// The common desktop folder maps to this platform's desktop, created when
// missing.  Everything that opens a file goes through here.
QString nativePath(const QString& systemPath);

} // namespace pelmar
