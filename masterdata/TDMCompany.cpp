#include "TDMCompany.h"

TDMCompany* TDMCompany::s_instance = nullptr;

TDMCompany::TDMCompany(db::Connection* connection, QObject* parent) : QObject(parent), m_connection(connection) {
    s_instance = this;
    setObjectName(QStringLiteral("DMCompany"));
}

TDMCompany::~TDMCompany() {
    if (s_instance == this)
        s_instance = nullptr;
}
