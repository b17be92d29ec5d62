#include "TDMProject.h"

TDMProject* TDMProject::s_instance = nullptr;

TDMProject::TDMProject(db::Connection* connection, QObject* parent) : QObject(parent), m_connection(connection) {
    s_instance = this;
    setObjectName(QStringLiteral("DMProject"));
}

TDMProject::~TDMProject() {
    if (s_instance == this)
        s_instance = nullptr;
}
