#include "TestDatabase.h"

#include <QProcessEnvironment>

namespace pelmar::test {
namespace {

TestDatabase fromEnvironment(const char* userVar, const char* passwordVar) {
    const auto env = QProcessEnvironment::systemEnvironment();
    TestDatabase db;
    db.host = env.value("PELMAR_TEST_HOST");
    db.port = env.value("PELMAR_TEST_PORT").toInt();
    db.database = env.value("PELMAR_TEST_DB");
    db.user = env.value(userVar);
    db.password = env.value(passwordVar);
    return db;
}

} // namespace

bool TestDatabase::available() {
    return QProcessEnvironment::systemEnvironment().contains("PELMAR_TEST_HOST");
}

TestDatabase TestDatabase::member() {
    return fromEnvironment("PELMAR_TEST_USER", "PELMAR_TEST_PASSWORD");
}

TestDatabase TestDatabase::outsider() {
    return fromEnvironment("PELMAR_TEST_OUTSIDER", "PELMAR_TEST_OUTSIDER_PASSWORD");
}

TestDatabase TestDatabase::admin() {
    return fromEnvironment("PELMAR_TEST_ADMIN", "PELMAR_TEST_ADMIN_PASSWORD");
}

} // namespace pelmar::test
