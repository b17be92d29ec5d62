#include "WorkOrderStatus.h"

#include "AdminError.h"
#include "SqlSession.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QSysInfo>

namespace admin {

db::Hasil WorkOrderStatus::setStatus(const QString& spkCode, int newStatus) {
    if (spkCode.trimmed().isEmpty())
        throw AdminError(QStringLiteral("The work-order code must not be empty."));
    const bool exists =
        m_s.scalar(QStringLiteral("SELECT count(*) FROM pg_proc "
                                  "WHERE proname = 'procprojectspkmandorsetstatus'"))
            .toInt() > 0;
    if (!exists)
        throw AdminError(QStringLiteral("The server function procProjectSPKMandorSetStatus does "
                                        "not exist in this database (upgrade it first)."));
    QSqlQuery q = m_s.exec(QStringLiteral("SELECT * FROM procProjectSPKMandorSetStatus(:SPKCode, "
                                          ":NewStatusID, :EntryBy, :EntryFrom)"),
                           {{QStringLiteral("SPKCode"), spkCode},
                            {QStringLiteral("NewStatusID"), newStatus},
                            {QStringLiteral("EntryBy"), QStringLiteral("skmadmin")},
                            {QStringLiteral("EntryFrom"), QSysInfo::machineHostName().left(50)}});
    if (!q.next())
        throw AdminError(QStringLiteral("procProjectSPKMandorSetStatus returned no answer."));
    const int col = q.record().indexOf(QStringLiteral("hasil"));
    return db::Hasil(q.value(col < 0 ? 0 : col).toString());
}

} // namespace admin
