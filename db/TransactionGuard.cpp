#include "TransactionGuard.h"

#include "Connection.h"

namespace db {

TransactionGuard::TransactionGuard(Connection& connection) : m_connection(connection) {
    m_connection.begin();
}

TransactionGuard::~TransactionGuard() {
    if (!m_done)
        m_connection.rollback();
}

void TransactionGuard::commit() {
    m_done = true;
    m_connection.commit();
}

} // namespace db
