#pragma once

#include "db/Hasil.h"

#include <QString>

namespace admin {

class SqlSession;

// Status changes of a work order made by the approving office, through the
// server function procProjectSPKMandorSetStatus.
class WorkOrderStatus {
public:
    static constexpr int Approved = 2;
    static constexpr int Cancelled = 3;
    static constexpr int Terminated = 5;

    explicit WorkOrderStatus(SqlSession& session) : m_s(session) {}

    db::Hasil approve(const QString& spkCode) { return setStatus(spkCode, Approved); }
    db::Hasil terminate(const QString& spkCode) { return setStatus(spkCode, Terminated); }
    db::Hasil cancel(const QString& spkCode) { return setStatus(spkCode, Cancelled); }
    // Throws AdminError when the server has no such function or fails.
    db::Hasil setStatus(const QString& spkCode, int newStatus);

private:
    SqlSession& m_s;
};

} // namespace admin
