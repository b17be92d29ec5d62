#include "TDMRAP.h"

TDMRAP* TDMRAP::s_instance = nullptr;

TDMRAP::TDMRAP(db::Connection* connection, QObject* parent) : QObject(parent), m_connection(connection) {
    s_instance = this;
    setObjectName(QStringLiteral("DMRAP"));
}

TDMRAP::~TDMRAP() {
    if (s_instance == this)
        s_instance = nullptr;
}
