#include "masterdata/TFmCompanyList.h"
#include "app/SessionContext.h"
#include "masterdata/TDMCompany.h"
#include "platform/ui/DataGrid.h"
#include "support/ScreenDriver.h"
#include "support/TestDatabase.h"

#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class CompanyListTest : public ::testing::Test {
protected:
    void SetUp() override {
        SessionContext.reset();
        solo = addCompany(QStringLiteral("CV. TANPA KONTAK"), QStringLiteral("022-1"));
        duo = addCompany(QStringLiteral("CV. DUA ORANG"), QStringLiteral("022-2"));
        addPerson(duo, QStringLiteral("Asep"), 10, QStringLiteral("0811"));
        addPerson(duo, QStringLiteral("Ujang"), 11,
                  QStringLiteral("0812")); // Direktur: higher grade
        conn.open(db.saSettings());
    }
    void TearDown() override { SessionContext.reset(); }

    int addCompany(const QString& name, const QString& phone) {
        return db
            .scalar(QStringLiteral(
                        "INSERT INTO mstCompany (CompanyName, CompanyFixedPhone, CompanyBankName) "
                        "VALUES (:n, :p, 'BANK JABAR') RETURNING CompanyID"),
                    {{"n", name}, {"p", phone}})
            .toInt();
    }
    void addPerson(int companyID, const QString& name, int jobTitle, const QString& mobile) {
        const int contact =
            db.scalar(QStringLiteral("INSERT INTO mstContact (ContactName, ContactPhoneMobile) "
                                     "VALUES (:n, :m) RETURNING ContactID"),
                      {{"n", name}, {"m", mobile}})
                .toInt();
        db.exec(
            QStringLiteral(
                "INSERT INTO mstEmployee (CompanyID, ContactID, JobTitleID) VALUES (:c, :p, :j)"),
            {{"c", companyID}, {"p", contact}, {"j", jobTitle}});
    }
    int rowOf(const QString& company, const QString& person) {
        const db::Dataset& ds = dm.adodsCompanyContactList;
        for (int r = 0; r < ds.rowCount(); ++r)
            if (ds.value(r, u"CompanyName").toString() == company &&
                db::Dataset::toString(ds.value(r, u"ContactName")) == person)
                return r;
        return -1;
    }

    skmtest::TestDatabase db;
    db::Connection conn;
    TDMCompany dm{&conn};
    int solo = 0;
    int duo = 0;
};

TEST_F(CompanyListTest, CompanyWithoutPersonsAppearsOnceAndSeniorPersonsComeFirst) {
    TFmCompanyList list(TFmCompanyList::Mode::Picker);
    const db::Dataset& ds = dm.adodsCompanyContactList;
    int soloRows = 0;
    for (int r = 0; r < ds.rowCount(); ++r)
        soloRows += ds.value(r, u"CompanyID").toInt() == solo;
    EXPECT_EQ(soloRows, 1);
    EXPECT_TRUE(
        ds.value(rowOf(QStringLiteral("CV. TANPA KONTAK"), QString()), u"ContactName").isNull());
    EXPECT_LT(rowOf(QStringLiteral("CV. DUA ORANG"), QStringLiteral("Ujang")),
              rowOf(QStringLiteral("CV. DUA ORANG"), QStringLiteral("Asep")));
    EXPECT_FALSE(list.TBtnCompanyEntry->isEnabled());
    EXPECT_FALSE(list.TBtnCompanyUpdate->isEnabled());
    EXPECT_FALSE(list.cxGrid1->isColumnVisible(QStringLiteral("CompanyNPWP")));
    EXPECT_TRUE(list.cxGrid1->isColumnVisible(QStringLiteral("CompanyBankName")));
}

TEST_F(CompanyListTest, FocusedRowIsPublishedAndSelectConfirmsIt) {
    TFmCompanyList list(TFmCompanyList::Mode::Picker);
    dm.adodsCompanyContactList.setCurrentRow(
        rowOf(QStringLiteral("CV. DUA ORANG"), QStringLiteral("Asep")));
    EXPECT_EQ(SessionContext.PickedCompany.CompanyID, duo);
    EXPECT_EQ(SessionContext.PickedCompany.ContactPhoneMobile, QStringLiteral("0811"));
    dm.adodsCompanyContactList.setCurrentRow(
        rowOf(QStringLiteral("CV. DUA ORANG"), QStringLiteral("Ujang")));
    EXPECT_EQ(SessionContext.PickedCompany.CompanyID, duo);
    EXPECT_EQ(SessionContext.PickedCompany.CompanyFixedPhone, QStringLiteral("022-2"));
    EXPECT_EQ(SessionContext.PickedCompany.ContactName, QStringLiteral("Ujang"));
    list.ToolButton3->click();
    EXPECT_EQ(SessionContext.PickConfirmed, 1);
}

TEST_F(CompanyListTest, CloseDoesNotConfirmAlthoughTheLastRowIsPublished) {
    TFmCompanyList list(TFmCompanyList::Mode::Picker);
    dm.adodsCompanyContactList.setCurrentRow(rowOf(QStringLiteral("CV. TANPA KONTAK"), QString()));
    EXPECT_EQ(SessionContext.PickedCompany.CompanyID, solo);
    EXPECT_TRUE(SessionContext.PickedCompany.ContactName.isEmpty());
    SessionContext.PickConfirmed = 1;
    list.TbtnClose->click();
    EXPECT_EQ(SessionContext.PickConfirmed, 0);
}

} // namespace
