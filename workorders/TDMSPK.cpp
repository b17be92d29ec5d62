#include "TDMSPK.h"

#include "SpkQueries.h"

#include "app/SessionContext.h"
#include "platform/report/PreparedReport.h"
#include "platform/report/Report.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportPreview.h"
#include "platform/report/ReportTemplate.h"
#include "platform/ui/MessageService.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

using db::FieldType;
using db::ParamDirection;

const char* const kMeasurementSql = "SELECT * FROM prefMeasurement";

const char* const kSPKDetailSql = R"SQL(
WITH prm AS (SELECT CAST(:SPKCode AS varchar(50)) AS SPKCode)
SELECT d.RAP2ID, d.SPKDWorkDesc, d.MeasurementID, d.SPKDQuantity, d.SPKDPriceAmount, d.SPKDDesc
FROM prm
JOIN mstProjectSPKDetail d ON d.SPKCode = prm.SPKCode
ORDER BY d.SPKDIndex
)SQL";

const char* const kViewSql = R"SQL(
SELECT * FROM procProjectSPKMandorViewR2(CAST(:ProjectID AS integer),
    CAST(:PeriodBegin AS timestamp), CAST(:PeriodEnd AS timestamp))
)SQL";

// One row per line (one with empty line columns for a work order without lines).
// The project manager and director are taken once each, so a project with two
// active holders of a title does not print every line twice.
const char* const kSPKPrintSql = R"SQL(
WITH prm AS (SELECT CAST(:SPKCode AS varchar(50)) AS SPKCode)
SELECT p.ProjectID, p.ProjectCode, p.ProjectName, c.CompanyName AS ProjectCompanyName,
       (SELECT ct.ContactName
          FROM mstProjectTeam pt
          JOIN mstEmployee e ON e.EmployeeID = pt.EmployeeID
          JOIN mstContact ct ON ct.ContactID = e.ContactID
          JOIN prefJobTitle j ON j.JobTitleID = pt.JobTitleID
         WHERE pt.ProjectID = s.ProjectID AND j.JobTitleName = 'Project Manager'
           AND pt.StatusID = 7
         ORDER BY ct.ContactName LIMIT 1) AS ProjectManager,
       (SELECT ct.ContactName
          FROM mstProjectTeam pt
          JOIN mstEmployee e ON e.EmployeeID = pt.EmployeeID
          JOIN mstContact ct ON ct.ContactID = e.ContactID
          JOIN prefJobTitle j ON j.JobTitleID = pt.JobTitleID
         WHERE pt.ProjectID = s.ProjectID AND j.JobTitleName = 'Project Director'
           AND pt.StatusID = 7
         ORDER BY ct.ContactName LIMIT 1) AS ProjectDirector,
       p.Address1, p.Address2, p.City, p.Province,
       s.SPKCode, s.SPKDate, c2.CompanyName AS MandorName, c2.CompanyFixedPhone AS MandorTelp,
       s.SPKTotalAmount, s.SPKRetensionPercentage, s.SPKPPhPercentage, s.SPKPPn,
       s.SPKPPnAmount, s.SPKGrandTotalAmount, s.SPKDesc3, s.StatusID,
       sd.SPKDIndex, sd.RAP2ID, r.CoaID, r.RAPIndex, sd.MeasurementID,
       co.CoaCode, co.CoaName, m.MeasurementCode, sd.SPKDWorkDesc, sd.SPKDQuantity,
       sd.SPKDPriceAmount, sd.SPKDDesc,
       CAST(sd.SPKDQuantity * sd.SPKDPriceAmount AS numeric(32, 5)) AS SPKDTotalAmount,
       FunTerbilangReal(s.SPKGrandTotalAmount) AS SPKTotalAmountSays
FROM prm
JOIN mstProjectSPK s ON s.SPKCode = prm.SPKCode
LEFT OUTER JOIN mstProject p ON p.ProjectID = s.ProjectID
LEFT OUTER JOIN mstCompany c ON c.CompanyID = p.ProjectOwnerID
LEFT OUTER JOIN mstCompany c2 ON c2.CompanyID = s.CompanyID
LEFT OUTER JOIN mstProjectSPKDetail sd ON sd.SPKCode = s.SPKCode
LEFT OUTER JOIN mstProjectRAP2 r ON r.RAP2ID = sd.RAP2ID
LEFT OUTER JOIN prefCOA co ON co.CoaID = r.CoaID
LEFT OUTER JOIN prefMeasurement m ON m.MeasurementID = sd.MeasurementID
ORDER BY sd.SPKDIndex
)SQL";

QString sql(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TDMSPK* TDMSPK::s_instance = nullptr;

TDMSPK::TDMSPK(db::Connection* connection, QObject* parent)
    : QObject(parent), adodsMeasurement(connection, sql(kMeasurementSql)),
      adodsProjectRAPUpah(connection, sql(SpkQueries::kProjectRAPUpah)),
      adodsProjectRAPUpahDetail(connection, sql(SpkQueries::kProjectRAPUpahDetail)),
      adodsSPKDetail(connection, sql(kSPKDetailSql)),
      adospProjectSPKMandorView(connection, sql(kViewSql)),
      adodsSPKPrint(connection, sql(kSPKPrintSql)),
      adospProjectSPKMandorEntry(connection, QStringLiteral("procProjectSPKMandorEntry")),
      adospProjectSPKMandorDetailEntry(connection,
                                       QStringLiteral("procProjectSPKMandorDetailEntry")),
      adospProjectSPKMandorSubmit(connection, QStringLiteral("procProjectSPKMandorSubmit")),
      adospProjectSPKMandorDelete(connection, QStringLiteral("procProjectSPKMandorDelete")),
      m_connection(connection) {
    s_instance = this;
    setObjectName(QStringLiteral("DMSPK"));
    adodsMeasurement.setObjectName(QStringLiteral("adodsMeasurement"));
    adodsProjectRAPUpah.setObjectName(QStringLiteral("adodsProjectRAPUpah"));
    adodsProjectRAPUpahDetail.setObjectName(QStringLiteral("adodsProjectRAPUpahDetail"));
    adodsSPKDetail.setObjectName(QStringLiteral("adodsSPKDetail"));
    adospProjectSPKMandorView.setObjectName(QStringLiteral("adospProjectSPKMandorView"));
    adodsSPKPrint.setObjectName(QStringLiteral("adodsSPKPrint"));

    adodsProjectRAPUpah.setParam(QStringLiteral("ProjectID"), 0);
    adodsProjectRAPUpahDetail.setParam(QStringLiteral("RAP2ID"), 0);
    adodsSPKDetail.setParam(QStringLiteral("SPKCode"), QString());
    adodsSPKPrint.setParam(QStringLiteral("SPKCode"), QString());

    // Lines look their budget item and unit up by key; the total is computed.
    const QString rap2 = QStringLiteral("RAP2ID");
    adodsSPKDetail.addLookupField(QStringLiteral("CoaFullName"), FieldType::Text, rap2,
                                  &adodsProjectRAPUpah, rap2, QStringLiteral("COAFullName"));
    adodsSPKDetail.addLookupField(QStringLiteral("CoaCode"), FieldType::Text, rap2,
                                  &adodsProjectRAPUpah, rap2, QStringLiteral("CoaCode"));
    adodsSPKDetail.addLookupField(QStringLiteral("CoaName"), FieldType::Text, rap2,
                                  &adodsProjectRAPUpah, rap2, QStringLiteral("CoaName"));
    adodsSPKDetail.addLookupField(QStringLiteral("RAPIndex"), FieldType::Integer, rap2,
                                  &adodsProjectRAPUpah, rap2, QStringLiteral("RAPIndex"));
    adodsSPKDetail.addLookupField(QStringLiteral("RAPDesc"), FieldType::Text, rap2,
                                  &adodsProjectRAPUpah, rap2, QStringLiteral("RAPFullName"));
    adodsSPKDetail.addLookupField(
        QStringLiteral("MeasurementCode"), FieldType::Text, QStringLiteral("MeasurementID"),
        &adodsMeasurement, QStringLiteral("MeasurementID"), QStringLiteral("MeasurementCode"));
    adodsSPKDetail.addCalculatedField(
        QStringLiteral("SPKDTotalAmount"), FieldType::Float, [](const db::Dataset& ds, int row) {
            return QVariant(db::Dataset::toDouble(ds.value(row, u"SPKDQuantity")) *
                            db::Dataset::toDouble(ds.value(row, u"SPKDPriceAmount")));
        });

    adospProjectSPKMandorEntry
        .declare(QStringLiteral("EntryCode"), FieldType::Text, ParamDirection::Input, 50)
        .declare(QStringLiteral("EntryBy"), FieldType::Text, ParamDirection::Input, 100)
        .declare(QStringLiteral("EntryFrom"), FieldType::Text, ParamDirection::Input, 100)
        .declare(QStringLiteral("SPKCode"), FieldType::Text, ParamDirection::Input, 50)
        .declare(QStringLiteral("SPKCodeNew"), FieldType::Text, ParamDirection::Input, 50)
        .declare(QStringLiteral("SPKDate"), FieldType::DateTime)
        .declare(QStringLiteral("ProjectID"), FieldType::Integer)
        .declare(QStringLiteral("CompanyID"), FieldType::Integer)
        .declare(QStringLiteral("SPKTotalAmount"), FieldType::Decimal)
        .declare(QStringLiteral("SPKRetensionPercentage"), FieldType::Decimal)
        .declare(QStringLiteral("SPKPPhPercentage"), FieldType::Decimal)
        .declare(QStringLiteral("SPKDesc3"), FieldType::Text, ParamDirection::Input, 256)
        .declare(QStringLiteral("Hasil"), FieldType::Text, ParamDirection::Output, 100);

    adospProjectSPKMandorDetailEntry
        .declare(QStringLiteral("EntryCode"), FieldType::Text, ParamDirection::Input, 50)
        .declare(QStringLiteral("SPKCode"), FieldType::Text, ParamDirection::Input, 100)
        .declare(QStringLiteral("RAP2ID"), FieldType::Integer)
        .declare(QStringLiteral("SPKDWorkDesc"), FieldType::Text, ParamDirection::Input, 256)
        .declare(QStringLiteral("MeasurementID"), FieldType::Integer)
        .declare(QStringLiteral("SPKDQuantity"), FieldType::Decimal)
        .declare(QStringLiteral("SPKDPriceAmount"), FieldType::Decimal)
        .declare(QStringLiteral("SPKDDesc"), FieldType::Text, ParamDirection::Input, 256)
        .declare(QStringLiteral("Hasil"), FieldType::Text, ParamDirection::Output, 100);

    adospProjectSPKMandorSubmit
        .declare(QStringLiteral("EntryCode"), FieldType::Text, ParamDirection::Input, 50)
        .declare(QStringLiteral("EntryBy"), FieldType::Text, ParamDirection::Input, 100)
        .declare(QStringLiteral("EntryFrom"), FieldType::Text, ParamDirection::Input, 100)
        .declare(QStringLiteral("ProjectID"), FieldType::Integer)
        .declare(QStringLiteral("SPKCode"), FieldType::Text, ParamDirection::Input, 50)
        .declare(QStringLiteral("Hasil"), FieldType::Text, ParamDirection::Output, 100);

    adospProjectSPKMandorDelete
        .declare(QStringLiteral("SPKCode"), FieldType::Text, ParamDirection::Input, 50)
        .declare(QStringLiteral("Hasil"), FieldType::Text, ParamDirection::Output, 100);
}

TDMSPK::~TDMSPK() {
    if (s_instance == this)
        s_instance = nullptr;
}

void TDMSPK::reopenWith(db::Dataset& ds, const db::ParamList& params) {
    ds.close();
    for (const auto& [name, value] : params)
        ds.setParam(name, value);
    ds.open();
}

void TDMSPK::openProjectRAPUpah(int projectID) {
    reopenWith(adodsProjectRAPUpah, {{QStringLiteral("ProjectID"), projectID}});
}

void TDMSPK::openProjectRAPUpahDetail(int rap2ID) {
    reopenWith(adodsProjectRAPUpahDetail, {{QStringLiteral("RAP2ID"), rap2ID}});
}

void TDMSPK::openMeasurement() {
    reopenWith(adodsMeasurement, {});
}

void TDMSPK::openSPKDetail(const QString& spkCode) {
    reopenWith(adodsSPKDetail, {{QStringLiteral("SPKCode"), spkCode}});
}

void TDMSPK::openProjectSPKMandorView(int projectID, const QDate& begin, const QDate& end) {
    reopenWith(adospProjectSPKMandorView,
               {{QStringLiteral("ProjectID"), projectID},
                {QStringLiteral("PeriodBegin"), QDateTime(begin, QTime(0, 0))},
                {QStringLiteral("PeriodEnd"), QDateTime(end, QTime(0, 0))}});
}

QString TDMSPK::templateNameForStatus(int statusID) {
    return statusID == 2 ? finalTemplateName() : draftTemplateName();
}

namespace {
QString& reportsDirOverride() {
    static QString dir;
    return dir;
}
TDMSPK::PreviewFn& previewHandler() {
    static TDMSPK::PreviewFn fn;
    return fn;
}
} // namespace

QString TDMSPK::reportsDir() {
    if (!reportsDirOverride().isEmpty())
        return reportsDirOverride();
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("reports"));
}

void TDMSPK::setReportsDir(const QString& dir) {
    reportsDirOverride() = dir;
}

void TDMSPK::setPreviewHandler(PreviewFn fn) {
    previewHandler() = std::move(fn);
}

bool TDMSPK::DoPrintSPKMandor(const QString& spkCode, int statusID) {
    reopenWith(adodsSPKPrint, {{QStringLiteral("SPKCode"), spkCode}});
    m_lastTemplate = templateNameForStatus(statusID);
    const QString path =
        QDir(reportsDir())
            .filePath(m_lastTemplate + QString::fromLatin1(report::ReportTemplate::Extension));
    try {
        if (!QFileInfo::exists(path)) {
            ui::MessageService::warning(
                QStringLiteral("Template laporan tidak ditemukan: %1").arg(path));
            return false;
        }
        report::Report rpt;
        rpt.setTemplate(report::ReportTemplate::load(path));
        rpt.addDataset(QStringLiteral("frxSPKPrint"), &adodsSPKPrint);
        rpt.setVariable(QStringLiteral("Petugas"), SessionContext.UserName);
        const report::PreparedReport prepared = rpt.prepare();
        if (previewHandler()) {
            previewHandler()(prepared, m_lastTemplate);
        } else {
            report::ReportPreview preview(rpt, prepared, QApplication::activeWindow());
            preview.setWindowTitle(m_lastTemplate);
            preview.exec();
        }
        return true;
    } catch (const report::ReportError& e) {
        ui::MessageService::warning(e.message());
        return false;
    }
}
