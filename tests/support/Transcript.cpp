#include "Transcript.h"

#include "RecordingReports.h"
#include "RecordingStatements.h"

namespace pelmar::test {

QString joinedValues(const QVariantList& values) {
    QStringList texts;
    for (const QVariant& v : values)
        texts << v.toString();
    return texts.join(QLatin1Char('|'));
}

QString reportTranscript(const RecordingReports& reports, const QString& reportsFolder) {
    QStringList lines;
    qsizetype opened = 0, subreport = 0, shown = 0;
    for (const QString& call : reports.calls) {
        if (call == "OpenReport" && opened < reports.opened.size()) {
            const auto& o = reports.opened[opened++];
            const QString name = o.templatePath.startsWith(reportsFolder)
                                     ? o.templatePath.mid(reportsFolder.size())
                                     : o.templatePath;
            lines << QStringLiteral("open %1 on %2 [%3]")
                         .arg(name, o.databaseName, joinedValues(o.parameterValues));
        } else if (call == "OpenSubreport" && subreport < reports.subreports.size()) {
            const auto& s = reports.subreports[subreport++];
            lines << QStringLiteral("subreport %1 on %2 [%3]")
                         .arg(s.subreportName, s.databaseName, joinedValues(s.parameterValues));
        } else if (call == "ShowReport" && shown < reports.shown.size()) {
            const auto& s = reports.shown[shown++];
            lines << QStringLiteral("show \"%1\" tree=%2 print=%3 modal=%4")
                         .arg(s.caption)
                         .arg(s.showGroupTree)
                         .arg(s.directPrint)
                         .arg(s.modal);
        } else if (call == "OpenProgressWindow") {
            lines << QStringLiteral("progress on");
        } else if (call == "CloseProgressWindow") {
            lines << QStringLiteral("progress off");
        } else {
            lines << call + QStringLiteral(" failed");
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QString transcript(const RecordingStatements& db, const RecordingReports& reports,
                   const QString& reportsFolder) {
    QStringList lines = db.statements;
    const QString calls = reportTranscript(reports, reportsFolder);
    if (!calls.isEmpty())
        lines << calls;
    return lines.join(QLatin1Char('\n'));
}

} // namespace pelmar::test
