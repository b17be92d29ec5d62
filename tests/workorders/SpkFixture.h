#pragma once

#include "support/TestDatabase.h"

#include <QDate>
#include <QString>

namespace skmtest {

// Builds the data a work-order test needs directly as the owner role: a project
// with its team and owner, foremen's firms, budget labour items and work orders.
class SpkFixture {
public:
    explicit SpkFixture(TestDatabase& db) : m_db(db) {}

    int addCompany(const QString& name, const QString& phone = QString());
    int addPerson(int companyID, const QString& name, int jobTitleID,
                  const QString& mobile = QString());
    // A project in status 2 owned by a client firm, with a project manager and a
    // project director in its team.
    int addProject(const QString& code, const QString& name,
                   const QString& city = QStringLiteral("Bandung"));
    // A budget item under account coaCode (created under a category and a
    // sub-category when missing). elementType '02' is labour, '01' material.
    int addBudgetItem(int projectID, const QString& coaCode, const QString& desc,
                      const QString& location, int measurementID, const QString& quantity,
                      const QString& price, const QString& flags,
                      const QString& elementType = QStringLiteral("02"));
    // A work order with no lines in the given status.
    void addWorkOrder(const QString& code, int projectID, int companyID, const QDate& date,
                      int statusID);
    void addLine(const QString& code, int rap2ID, const QString& quantity, const QString& price,
                 const QString& workDesc = QStringLiteral("Pekerjaan"));
    void addPettyCashLine(int projectID, int rap2ID, const QString& quantity, int statusID);

    int lineCount(const QString& code);
    bool workOrderExists(const QString& code);

private:
    int coaFor(const QString& coaCode);
    int elementFor(const QString& type);
    TestDatabase& m_db;
    int m_counter = 0;
};

} // namespace skmtest
