// How long one statement takes from a dialog's text to its rows: translating,
// the audit row, and the round trip through the database thread.
#include "TestDatabase.h"
#include "platform/sql/SqlConnection.h"
#include "platform/sql/StatementLayer.h"
#include "platform/sql/StatementTranslator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pelmar;

namespace {

void printFigures(const char* what, std::vector<qint64>& nanos) {
    std::sort(nanos.begin(), nanos.end());
    const auto at = [&](double q) { return nanos[size_t(q * (nanos.size() - 1))] / 1000.0; };
    std::printf("%-44s n=%-6zu median %8.1f us  p95 %8.1f us  max %8.1f us\n", what, nanos.size(),
                at(0.5), at(0.95), at(1.0));
}

template <class F> void measure(const char* what, int runs, F&& work) {
    std::vector<qint64> nanos;
    nanos.reserve(runs);
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        work();
        nanos.push_back(clock.nsecsElapsed());
    }
    printFigures(what, nanos);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString call = "Reports..sp_Rep_MonthlyREcompute '03/01/2012', '03/31/2012', 'LB', 'N'";
    measure("translate a procedure call", 100000, [&] { translateStatement(call); });

    if (!test::TestDatabase::available()) {
        std::printf("no database: run through scripts/bench for the round trips\n");
        return 0;
    }
    const auto db = test::TestDatabase::member();
    SqlConnection connection({db.host, db.port, db.database, db.user, db.password});
    connection.open();
    ConnectionStatementRunner runner(connection);
    setStatementRunner(&runner);

    measure("bare query on the database thread", 2000, [&] { connection.query("SELECT 1"); });
    measure("hospital record via ExecuteSql (with audit)", 2000, [&] {
        ExecuteSqlForRows("Select *, GetDate() as CurDate From Patient_data..tbHospitalInfo");
    });
    return 0;
}
