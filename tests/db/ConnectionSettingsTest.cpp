#include "db/ConnectionSettings.h"

#include <gtest/gtest.h>

TEST(ConnectionSettings, ServerNamesHostAndOptionalPort) {
    struct Case {
        const char* server;
        const char* host;
        int port;
    };
    const Case cases[] = {
        {"dbserver", "dbserver", 5432},
        {"127.0.0.1,5544", "127.0.0.1", 5544},
        {" site-office , 6000 ", "site-office", 6000},
        {"host,notaport", "host", 5432},
        {"host,70000", "host", 5432},
    };
    for (const auto& c : cases) {
        db::ConnectionSettings s;
        s.server = QString::fromLatin1(c.server);
        EXPECT_EQ(s.host(), QString::fromLatin1(c.host)) << c.server;
        EXPECT_EQ(s.port(), c.port) << c.server;
    }
}
