#pragma once

#include <QString>

namespace pelmar::test {

// The private cluster that scripts/test starts, as the environment names it.
struct TestDatabase {
    QString host;
    int port = 0;
    QString database;
    QString user;
    QString password;

    static bool available();
    static TestDatabase member();   // signed in as a member of the reports role
    static TestDatabase outsider(); // a valid log-in without the module's grant
    static TestDatabase admin();    // superuser, for arranging fixtures
};

} // namespace pelmar::test
