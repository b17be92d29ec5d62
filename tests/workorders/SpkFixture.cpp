#include "workorders/SpkFixture.h"

namespace skmtest {

namespace {
QString n(const char* s) {
    return QString::fromUtf8(s);
}
} // namespace

int SpkFixture::addCompany(const QString& name, const QString& phone) {
    return m_db
        .scalar(n("INSERT INTO mstCompany (CompanyName, CompanyTypeID, CoreBusinessID, "
                  "CompanyFixedPhone, "
                  "CompanyCity) VALUES (:n, 1, 1, :p, 'Bandung') RETURNING CompanyID"),
                {{n("n"), name}, {n("p"), phone}})
        .toInt();
}

int SpkFixture::addPerson(int companyID, const QString& name, int jobTitleID,
                          const QString& mobile) {
    const int contact =
        m_db.scalar(n("INSERT INTO mstContact (ContactName, ContactPhoneMobile) VALUES (:n, :m) "
                      "RETURNING ContactID"),
                    {{n("n"), name}, {n("m"), mobile}})
            .toInt();
    return m_db
        .scalar(n("INSERT INTO mstEmployee (CompanyID, ContactID, JobTitleID) VALUES (:c, :p, :j) "
                  "RETURNING EmployeeID"),
                {{n("c"), companyID}, {n("p"), contact}, {n("j"), jobTitleID}})
        .toInt();
}

int SpkFixture::addProject(const QString& code, const QString& name, const QString& city) {
    const int owner = addCompany(n("PT. PEMILIK ") + code);
    const int project =
        m_db.scalar(
                n("INSERT INTO mstProject (ProjectCode, ProjectName, ProjectOwnerID, "
                  "BeginDate, City, Province, Address1, StatusID) VALUES (:c, :n, :o, "
                  "date_trunc('year', localtimestamp), :city, 'Jawa Barat', 'Jl. Asia Afrika 1', "
                  "2) RETURNING ProjectID"),
                {{n("c"), code}, {n("n"), name}, {n("o"), owner}, {n("city"), city}})
            .toInt();
    const int pm = addPerson(1, n("Budi Santoso ") + code, 3);
    const int pd = addPerson(1, n("Hendra Wijaya ") + code, 2);
    for (auto [emp, job] : {std::pair{pm, 3}, std::pair{pd, 2}})
        m_db.exec(n("INSERT INTO mstProjectTeam (ProjectID, EmployeeID, JobTitleID, StatusID) "
                    "VALUES (:p, :e, :j, 7)"),
                  {{n("p"), project}, {n("e"), emp}, {n("j"), job}});
    return project;
}

int SpkFixture::coaFor(const QString& coaCode) {
    const QVariant id =
        m_db.scalar(n("SELECT CoaID FROM prefCOA WHERE CoaCode = :c"), {{n("c"), coaCode}});
    if (id.isValid() && !id.isNull())
        return id.toInt();
    QVariant cat = m_db.scalar(n("SELECT CoaID FROM prefCOA WHERE CoaCode = 'T1'"));
    if (!cat.isValid() || cat.isNull())
        cat = m_db.scalar(n("INSERT INTO prefCOA (CoaCode, CoaName, CoaLevel) VALUES ('T1', "
                            "'PEKERJAAN STRUKTUR', 1) RETURNING CoaID"));
    QVariant sub = m_db.scalar(n("SELECT CoaID FROM prefCOA WHERE CoaCode = 'T1.1'"));
    if (!sub.isValid() || sub.isNull())
        sub = m_db.scalar(
            n("INSERT INTO prefCOA (CoaCode, CoaName, CoaLevel, CoaParentID) VALUES ('T1.1', "
              "'PEKERJAAN BETON', 2, :p) RETURNING CoaID"),
            {{n("p"), cat}});
    return m_db
        .scalar(n("INSERT INTO prefCOA (CoaCode, CoaName, CoaLevel, CoaParentID) VALUES (:c, :nm, "
                  "3, :p) "
                  "RETURNING CoaID"),
                {{n("c"), coaCode}, {n("nm"), n("Upah ") + coaCode}, {n("p"), sub}})
        .toInt();
}

int SpkFixture::elementFor(const QString& type) {
    const QString code = n("EL") + type;
    const QVariant id =
        m_db.scalar(n("SELECT ElementID FROM mstElement WHERE ElementCode = :c"), {{n("c"), code}});
    if (id.isValid() && !id.isNull())
        return id.toInt();
    return m_db
        .scalar(
            n("INSERT INTO mstElement (ElementType, ElementCode, ElementName) VALUES (:t, :c, :c) "
              "RETURNING ElementID"),
            {{n("t"), type}, {n("c"), code}})
        .toInt();
}

int SpkFixture::addBudgetItem(int projectID, const QString& coaCode, const QString& desc,
                              const QString& location, int measurementID, const QString& quantity,
                              const QString& price, const QString& flags,
                              const QString& elementType) {
    const int coa = coaFor(coaCode);
    const int rapIndex = ++m_counter;
    m_db.exec(n("INSERT INTO mstProjectRAP (ProjectID, CoaID, RAPIndex, RAPDesc, RAPLocation) "
                "VALUES (:p, :c, :i, :d, :l)"),
              {{n("p"), projectID},
               {n("c"), coa},
               {n("i"), rapIndex},
               {n("d"), desc},
               {n("l"), location}});
    return m_db
        .scalar(n("INSERT INTO mstProjectRAP2 (ProjectID, CoaID, RAPIndex, RAP2Index, RAP2Desc, "
                  "ElementID, "
                  "MeasurementID, RAPQuantity, RAPPriceAmount, RAPTotalAmount, IsValidateType) "
                  "VALUES (:p, :c, "
                  ":i, 1, :d, :e, :m, CAST(:q AS numeric), CAST(:pr AS numeric), "
                  "CAST(:q AS numeric) * CAST(:pr AS numeric), :f) RETURNING RAP2ID"),
                {{n("p"), projectID},
                 {n("c"), coa},
                 {n("i"), rapIndex},
                 {n("d"), desc},
                 {n("e"), elementFor(elementType)},
                 {n("m"), measurementID},
                 {n("q"), quantity},
                 {n("pr"), price},
                 {n("f"), flags}})
        .toInt();
}

void SpkFixture::addWorkOrder(const QString& code, int projectID, int companyID, const QDate& date,
                              int statusID) {
    m_db.exec(
        n("INSERT INTO mstProjectSPK (SPKCode, SPKDate, ProjectID, CompanyID, "
          "SPKRetensionPercentage, "
          "SPKPPhPercentage, StatusID, StatusDesc) VALUES (:c, :d, :p, :co, 5, 4, :s, 'fixture')"),
        {{n("c"), code},
         {n("d"), QDateTime(date, QTime(0, 0))},
         {n("p"), projectID},
         {n("co"), companyID},
         {n("s"), statusID}});
}

void SpkFixture::addLine(const QString& code, int rap2ID, const QString& quantity,
                         const QString& price, const QString& workDesc) {
    m_db.exec(
        n("INSERT INTO mstProjectSPKDetail (SPKCode, SPKDIndex, RAP2ID, SPKDWorkDesc, "
          "MeasurementID, "
          "SPKDQuantity, SPKDPriceAmount) SELECT :c, COALESCE(max(SPKDIndex), 0) + 1, :r, :w, "
          "(SELECT MeasurementID FROM mstProjectRAP2 WHERE RAP2ID = :r), CAST(:q AS numeric), "
          "CAST(:p AS numeric) FROM mstProjectSPKDetail WHERE SPKCode = :c"),
        {{n("c"), code},
         {n("r"), rap2ID},
         {n("w"), workDesc},
         {n("q"), quantity},
         {n("p"), price}});
    m_db.exec(n("UPDATE mstProjectSPK s SET SPKTotalAmount = (SELECT round(sum(SPKDQuantity * "
                "SPKDPriceAmount), "
                "2) FROM mstProjectSPKDetail d WHERE d.SPKCode = s.SPKCode), SPKGrandTotalAmount = "
                "(SELECT "
                "round(sum(SPKDQuantity * SPKDPriceAmount), 2) FROM mstProjectSPKDetail d WHERE "
                "d.SPKCode = "
                "s.SPKCode) WHERE s.SPKCode = :c"),
              {{n("c"), code}});
}

void SpkFixture::addPettyCashLine(int projectID, int rap2ID, const QString& quantity,
                                  int statusID) {
    const QString code = n("PC-") + QString::number(++m_counter);
    m_db.exec(n("INSERT INTO mstProjectPC (ReceiptCode, ReceiptDate, ProjectID, PCCode, StatusID) "
                "VALUES (:c, "
                "localtimestamp, :p, :c, :s)"),
              {{n("c"), code}, {n("p"), projectID}, {n("s"), statusID}});
    m_db.exec(n("INSERT INTO mstProjectPCDetail (ReceiptCode, PCDIndex, ProjectID, RAP2ID, "
                "PCDQuantity) VALUES "
                "(:c, 1, :p, :r, CAST(:q AS numeric))"),
              {{n("c"), code}, {n("p"), projectID}, {n("r"), rap2ID}, {n("q"), quantity}});
}

int SpkFixture::lineCount(const QString& code) {
    return m_db
        .scalar(n("SELECT count(*) FROM mstProjectSPKDetail WHERE SPKCode = :c"), {{n("c"), code}})
        .toInt();
}

bool SpkFixture::workOrderExists(const QString& code) {
    return m_db.scalar(n("SELECT count(*) FROM mstProjectSPK WHERE SPKCode = :c"), {{n("c"), code}})
               .toInt() > 0;
}

} // namespace skmtest
