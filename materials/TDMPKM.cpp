#include "TDMPKM.h"

TDMPKM* TDMPKM::s_instance = nullptr;

TDMPKM::TDMPKM(db::Connection* connection, QObject* parent) : QObject(parent), m_connection(connection) {
    s_instance = this;
    setObjectName(QStringLiteral("DMPKM"));
}

TDMPKM::~TDMPKM() {
    if (s_instance == this)
        s_instance = nullptr;
}
