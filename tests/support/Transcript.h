#pragma once

#include <QString>
#include <QVariantList>

namespace pelmar::test {

class RecordingReports;
class RecordingStatements;

// Values as "a|b|c", the way transcripts show them.
QString joinedValues(const QVariantList& values);

// Every report call in the order it was made, one line each:
//   open \Name.rpt on DATABASE [a|b]      (template relative to the folder)
//   subreport Name on DATABASE [a|b]
//   show "caption" tree=1 print=0 modal=0
//   progress on / progress off
//   OpenReport failed                      (a call the double made fail)
QString reportTranscript(const RecordingReports& reports, const QString& reportsFolder);

// The statement texts, then the report calls.
QString transcript(const RecordingStatements& db, const RecordingReports& reports,
                   const QString& reportsFolder);

} // namespace pelmar::test
