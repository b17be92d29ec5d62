#pragma once

// Shared set-up of the work-order server tests: a fresh database with two
// projects, a foreman's firm, and budget items of every kind the procedures
// tell apart. Procedures are called as sa, the client's login.

#include "support/TestDatabase.h"
#include "db/Hasil.h"
#include "db/StoredProc.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <gtest/gtest.h>

namespace wotest {

using db::FieldType;
using db::ParamDirection;

inline QVariant dec(const char* text) {
    return QString::fromLatin1(text);
}

class WorkOrderTest : public ::testing::Test {
protected:
    skmtest::TestDatabase db;

    int project = 0;
    int otherProject = 0;
    int firm = 0;
    int coa = 0;
    int labour = 0;        // mstElement, type '02'
    int material = 0;      // mstElement, type '01'
    int itemVolume = 0;    // labour, flags '11', unit M3, volume 100
    int itemLumpSum = 0;   // labour, flags '11', unit 1 (LS), volume 1
    int itemNoFlag = 0;    // no element, flags '00', unit M2, volume 10
    int itemPriceOnly = 0; // labour, flags '01', unit M2, volume 10
    int itemMaterial = 0;  // material, flags '11'
    int itemOther = 0;     // labour of the other project

    void SetUp() override {
        const int cat =
            id("INSERT INTO prefCOA (CoaCode, CoaName, CoaLevel) VALUES ('T9', 'PEKERJAAN UJI', 1) "
               "RETURNING CoaID");
        const int sub = id("INSERT INTO prefCOA (CoaCode, CoaName, CoaParentID, CoaLevel) "
                           "VALUES ('T9.1', 'Sub Uji', :p, 2) RETURNING CoaID",
                           {{"p", cat}});
        coa = id("INSERT INTO prefCOA (CoaCode, CoaName, CoaParentID, CoaLevel) "
                 "VALUES ('T9.1.01', 'Akun Uji', :p, 3) RETURNING CoaID",
                 {{"p", sub}});
        project = addProject("TP-1", "Proyek Uji");
        otherProject = addProject("TP-2", "Proyek Lain");
        firm =
            id("INSERT INTO mstCompany (CompanyName, CompanyFixedPhone) VALUES ('CV. MANDOR UJI', "
               "'021-555') RETURNING CompanyID");
        labour = id("INSERT INTO mstElement (ElementType, ElementCode, ElementName) "
                    "VALUES ('02', 'T-UPH', 'Upah Uji') RETURNING ElementID");
        material = id("INSERT INTO mstElement (ElementType, ElementCode, ElementName) "
                      "VALUES ('01', 'T-MAT', 'Material Uji') RETURNING ElementID");
        for (int p : {project, otherProject})
            db.exec("INSERT INTO mstProjectRAP (ProjectID, CoaID, RAPIndex, RAPDesc, RAPLocation) "
                    "VALUES (:p, :c, 1, 'Grup Uji', 'Lantai 1')",
                    {{"p", p}, {"c", coa}});
        itemVolume = addItem(project, 1, labour, 3, "100", "50000", "11");
        itemLumpSum = addItem(project, 2, labour, 1, "1", "1000000", "11");
        itemNoFlag = addItem(project, 3, QVariant(), 2, "10", "20000", "00");
        itemPriceOnly = addItem(project, 4, labour, 2, "10", "20000", "01");
        itemMaterial = addItem(project, 5, material, 2, "10", "20000", "11");
        itemOther = addItem(otherProject, 1, labour, 3, "100", "50000", "11");
    }

    int id(const QString& sql, const db::ParamList& params = {}) {
        return db.scalar(sql, params).toInt();
    }
    QString text(const QString& sql, const db::ParamList& params = {}) {
        return db.scalar(sql, params).toString();
    }

    int addProject(const QString& code, const QString& name) {
        return id(
            "INSERT INTO mstProject (ProjectCode, ProjectName, City, Province, StatusID, "
            "BeginDate) "
            "VALUES (:c, :n, 'Kota Uji', 'Provinsi Uji', 2, '2025-01-06') RETURNING ProjectID",
            {{"c", code}, {"n", name}});
    }

    int addItem(int projectID, int index, const QVariant& element, int unit, const char* qty,
                const char* price, const char* flags) {
        return id("INSERT INTO mstProjectRAP2 (ProjectID, CoaID, RAPIndex, RAP2Index, RAP2Desc, "
                  "ElementID, "
                  "MeasurementID, RAPQuantity, RAPPriceAmount, RAPTotalAmount, IsValidateType) "
                  "VALUES (:p, :c, 1, :i, :d, CAST(:e AS integer), :u, CAST(:q AS numeric), "
                  "CAST(:pr AS numeric), 0, :f) RETURNING RAP2ID",
                  {{"p", projectID},
                   {"c", coa},
                   {"i", index},
                   {"d", QStringLiteral("Item %1").arg(index)},
                   {"e", element.isValid() ? element : QVariant(QMetaType::fromType<int>())},
                   {"u", unit},
                   {"q", QString::fromLatin1(qty)},
                   {"pr", QString::fromLatin1(price)},
                   {"f", QString::fromLatin1(flags)}});
    }

    // ---- procedure calls, as the client makes them

    db::Hasil entry(const QString& mode, const QString& code, const QString& codeNew,
                    const QVariant& date, int projectID, int companyID,
                    const QVariant& retension = dec("5"), const QVariant& pph = dec("4"),
                    const QString& note = QStringLiteral("Catatan")) {
        db::StoredProc p(&db.sa(), QStringLiteral("procProjectSPKMandorEntry"));
        p.declare("EntryCode", FieldType::Text, ParamDirection::Input, 50)
            .declare("EntryBy", FieldType::Text, ParamDirection::Input, 100)
            .declare("EntryFrom", FieldType::Text, ParamDirection::Input, 100)
            .declare("SPKCode", FieldType::Text, ParamDirection::Input, 50)
            .declare("SPKCodeNew", FieldType::Text, ParamDirection::Input, 50)
            .declare("SPKDate", FieldType::DateTime)
            .declare("ProjectID", FieldType::Integer)
            .declare("CompanyID", FieldType::Integer)
            .declare("SPKTotalAmount", FieldType::Decimal, ParamDirection::Input, 18)
            .declare("SPKRetensionPercentage", FieldType::Decimal, ParamDirection::Input, 18)
            .declare("SPKPPhPercentage", FieldType::Decimal, ParamDirection::Input, 18)
            .declare("SPKDesc3", FieldType::Text, ParamDirection::Input, 256)
            .declare("Hasil", FieldType::Text, ParamDirection::Output, 100);
        p.setParam("EntryCode", mode);
        p.setParam("EntryBy", QStringLiteral("Penguji"));
        p.setParam("EntryFrom", QStringLiteral("WS-UJI"));
        p.setParam("SPKCode", code);
        p.setParam("SPKCodeNew", codeNew);
        p.setParam("SPKDate", date);
        p.setParam("ProjectID", projectID);
        p.setParam("CompanyID", companyID);
        p.setParam("SPKTotalAmount", dec("999"));
        p.setParam("SPKRetensionPercentage", retension);
        p.setParam("SPKPPhPercentage", pph);
        p.setParam("SPKDesc3", note);
        p.execute();
        return p.hasil();
    }

    db::Hasil insert(const QString& code,
                     const QDateTime& date = QDateTime(QDate(2025, 3, 5), QTime(10, 0))) {
        return entry(QStringLiteral("INSERT"), code, code, date, project, firm);
    }

    db::Hasil line(const QString& code, int rap2, const QVariant& qty, const QVariant& price,
                   int unit = 3, const QString& mode = QStringLiteral("INSERT"),
                   const QString& desc = QStringLiteral("Uraian")) {
        db::StoredProc p(&db.sa(), QStringLiteral("procProjectSPKMandorDetailEntry"));
        p.declare("EntryCode", FieldType::Text, ParamDirection::Input, 50)
            .declare("SPKCode", FieldType::Text, ParamDirection::Input, 100)
            .declare("RAP2ID", FieldType::Integer)
            .declare("SPKDWorkDesc", FieldType::Text, ParamDirection::Input, 256)
            .declare("MeasurementID", FieldType::Integer)
            .declare("SPKDQuantity", FieldType::Decimal, ParamDirection::Input, 18)
            .declare("SPKDPriceAmount", FieldType::Decimal, ParamDirection::Input, 18)
            .declare("SPKDDesc", FieldType::Text, ParamDirection::Input, 256)
            .declare("Hasil", FieldType::Text, ParamDirection::Output, 100);
        p.setParam("EntryCode", mode);
        p.setParam("SPKCode", code);
        p.setParam("RAP2ID", rap2);
        p.setParam("SPKDWorkDesc", desc);
        p.setParam("MeasurementID", unit);
        p.setParam("SPKDQuantity", qty);
        p.setParam("SPKDPriceAmount", price);
        p.setParam("SPKDDesc", QStringLiteral("Ket"));
        p.execute();
        return p.hasil();
    }

    static db::Hasil submitOn(db::Connection& c, int projectID, const QString& code) {
        db::StoredProc p(&c, QStringLiteral("procProjectSPKMandorSubmit"));
        p.declare("EntryCode", FieldType::Text, ParamDirection::Input, 50)
            .declare("EntryBy", FieldType::Text, ParamDirection::Input, 100)
            .declare("EntryFrom", FieldType::Text, ParamDirection::Input, 100)
            .declare("ProjectID", FieldType::Integer)
            .declare("SPKCode", FieldType::Text, ParamDirection::Input, 50)
            .declare("Hasil", FieldType::Text, ParamDirection::Output, 100);
        p.setParam("EntryCode", QString());
        p.setParam("EntryBy", QStringLiteral("Pengaju"));
        p.setParam("EntryFrom", QStringLiteral("WS-AJU"));
        p.setParam("ProjectID", projectID);
        p.setParam("SPKCode", code);
        p.execute();
        return p.hasil();
    }
    db::Hasil submit(const QString& code) { return submitOn(db.sa(), project, code); }

    db::Hasil remove(const QString& code) {
        db::StoredProc p(&db.sa(), QStringLiteral("procProjectSPKMandorDelete"));
        p.declare("SPKCode", FieldType::Text, ParamDirection::Input, 50)
            .declare("Hasil", FieldType::Text, ParamDirection::Output, 100);
        p.setParam("SPKCode", code);
        p.execute();
        return p.hasil();
    }

    db::Hasil setStatus(const QString& code, const QVariant& status) {
        db::StoredProc p(&db.sa(), QStringLiteral("procProjectSPKMandorSetStatus"));
        p.declare("SPKCode", FieldType::Text, ParamDirection::Input, 50)
            .declare("NewStatusID", FieldType::Integer)
            .declare("EntryBy", FieldType::Text, ParamDirection::Input, 100)
            .declare("EntryFrom", FieldType::Text, ParamDirection::Input, 100)
            .declare("Hasil", FieldType::Text, ParamDirection::Output, 100);
        p.setParam("SPKCode", code);
        p.setParam("NewStatusID", status);
        p.setParam("EntryBy", QStringLiteral("Kantor Pusat"));
        p.setParam("EntryFrom", QStringLiteral("HO"));
        p.execute();
        return p.hasil();
    }

    // A work order of the test project with one line per (item, volume), left
    // in the given status (set directly, as the approving office would).
    void workOrder(const QString& code, std::initializer_list<std::pair<int, const char*>> lines,
                   int status = 1) {
        ASSERT_TRUE(insert(code).ok());
        for (const auto& [item, qty] : lines)
            ASSERT_TRUE(line(code, item, dec(qty), dec("1000")).ok()) << code.toStdString();
        if (status != 1)
            db.exec("UPDATE mstProjectSPK SET StatusID = :s WHERE SPKCode = :c",
                    {{"s", status}, {"c", code}});
    }

    int status(const QString& code) {
        const QVariant v =
            db.scalar("SELECT StatusID FROM mstProjectSPK WHERE SPKCode = :c", {{"c", code}});
        return v.isValid() ? v.toInt() : -1;
    }

    // Everything the procedures may write, as one text: "nothing changed"
    // means this text is the same before and after.
    QString snapshot() {
        return text("SELECT concat_ws('#', "
                    "(SELECT string_agg(t::text, '|' ORDER BY t.SPKCode) FROM mstProjectSPK t), "
                    "(SELECT string_agg(d::text, '|' ORDER BY d.SPKCode, d.SPKDIndex) FROM "
                    "mstProjectSPKDetail d))");
    }
};

} // namespace wotest
