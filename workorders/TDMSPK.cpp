#include "TDMSPK.h"

TDMSPK* TDMSPK::s_instance = nullptr;

TDMSPK::TDMSPK(db::Connection* connection, QObject* parent) : QObject(parent), m_connection(connection) {
    s_instance = this;
    setObjectName(QStringLiteral("DMSPK"));
}

TDMSPK::~TDMSPK() {
    if (s_instance == this)
        s_instance = nullptr;
}
