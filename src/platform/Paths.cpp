#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace pelmar {
namespace {

const QString kCommonDesktop = QStringLiteral("C:\\Documents and Settings\\All Users\\Desktop\\");

QString desktopFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/Desktop");
    QDir().mkpath(dir);
    return dir;
}

} // namespace

QString applicationFolder() {
    return QCoreApplication::applicationDirPath();
}

QString nativePath(const QString& systemPath) {
    QString path = systemPath;
    if (path.startsWith(kCommonDesktop, Qt::CaseInsensitive))
        path = desktopFolder() + QLatin1Char('/') + path.mid(kCommonDesktop.size());
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

} // namespace pelmar
