// How long one keystroke in the lookup dialog takes, from the key to the
// rows in the grid: the statement text, the audit row, the procedure and the
// grid's rebinding.  Run through scripts/bench (the test cluster).
#include "TestDatabase.h"
#include "lookup/FrmSearch.h"
#include "lookup/RecordSetModel.h"
#include "platform/sql/SqlConnection.h"
#include "platform/sql/StatementLayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pelmar;

namespace {

void printFigures(const char* what, std::vector<qint64>& nanos, int rows) {
    std::sort(nanos.begin(), nanos.end());
    const auto at = [&](double q) { return nanos[size_t(q * double(nanos.size() - 1))] / 1e6; };
    std::printf("%-34s n=%-5zu median %7.2f ms  p95 %7.2f ms  max %7.2f ms  (%d rows last)\n", what,
                nanos.size(), at(0.5), at(0.95), at(1.0), rows);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (!test::TestDatabase::available()) {
        std::printf("no database: run through scripts/bench\n");
        return 0;
    }
    const auto db = test::TestDatabase::member();
    SqlConnection connection({db.host, db.port, db.database, db.user, db.password});
    connection.open();
    ConnectionStatementRunner runner(connection);
    setStatementRunner(&runner);

    const struct {
        const char* what;
        const char* query;
        const char* typed;
    } cases[] = {
        {"keystroke: company", "Reports..sp_Rep_SearchCompany '##'", "acme"},
        {"keystroke: class", "Reports..sp_Rep_SearchClass '##'", "corp"},
        {"keystroke: period", "Reports..sp_Rep_SearchPeriod '##'", "march"},
        {"keystroke: miscellaneous revenue", "Reports..sp_Rep_SearchMiscellaneousRevenue '0','##'",
         "o'brien"},
    };
    const int rounds = 40;
    for (const auto& c : cases) {
        FrmSearch search;
        search.setQuery(QString::fromLatin1(c.query));
        search.setCriteria({});
        std::vector<qint64> nanos;
        QElapsedTimer clock;
        for (int round = 0; round < rounds; ++round) {
            search.txtSearchStr()->clear();
            for (const char* p = c.typed; *p; ++p) {
                clock.start();
                QTest::keyClick(search.txtSearchStr(), *p);
                nanos.push_back(clock.nsecsElapsed());
            }
            for (const char* p = c.typed; *p; ++p) {
                clock.start();
                QTest::keyClick(search.txtSearchStr(), Qt::Key_Backspace);
                nanos.push_back(clock.nsecsElapsed());
            }
        }
        printFigures(c.what, nanos, search.rows().rowCount());
    }
    setStatementRunner(nullptr);
    return 0;
}
