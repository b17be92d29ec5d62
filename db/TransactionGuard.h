#pragma once

namespace db {

class Connection;

// Makes a save of several calls atomic: begins on construction, rolls back on
// destruction unless commit() was reached.
class TransactionGuard {
public:
    explicit TransactionGuard(Connection& connection);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    void commit();

private:
    Connection& m_connection;
    bool m_done = false;
};

} // namespace db
