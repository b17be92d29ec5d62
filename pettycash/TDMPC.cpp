#include "TDMPC.h"

TDMPC* TDMPC::s_instance = nullptr;

TDMPC::TDMPC(db::Connection* connection, QObject* parent) : QObject(parent), m_connection(connection) {
    s_instance = this;
    setObjectName(QStringLiteral("DMPC"));
}

TDMPC::~TDMPC() {
    if (s_instance == this)
        s_instance = nullptr;
}
