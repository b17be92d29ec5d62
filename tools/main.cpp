#include "tools/AdminCommand.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("skmadmin"));
    return admin::AdminCommand(QCoreApplication::arguments()).run();
}
