#include "ScaleGenerator.h"

#include "AdminError.h"

#include <QSqlQuery>

namespace admin {

namespace {

// Elements shared by every generated project (ElementCode is only 20 long).
constexpr int kElementsPerType = 40;

const char* const kElements = R"sql(
INSERT INTO mstElement (ElementType, ElementCode, ElementName, MeasurementID, EntryBy, EntryFrom)
SELECT t.ElementType,
       'GEN-' || t.Prefix || '-' || lpad(g::text, 2, '0'),
       t.Name || ' ' || g,
       2 + g % 17,
       'generator', 'skmadmin'
FROM (VALUES ('01', 'MAT', 'Material'), ('02', 'UPH', 'Upah')) AS t(ElementType, Prefix, Name)
CROSS JOIN generate_series(1, CAST(:n AS integer)) g
ON CONFLICT (ElementCode) DO NOTHING
)sql";

const char* const kProject = R"sql(
WITH owner AS (
    INSERT INTO mstCompany (CompanyName, CompanyTypeID, CoreBusinessID, CompanyCity, CompanyProvince,
                            CompanyCountry, EntryBy, EntryFrom)
    VALUES (CAST(:owner AS varchar), 1, 6, 'Jakarta Selatan', 'DKI Jakarta', 'Indonesia', 'generator', 'skmadmin')
    RETURNING CompanyID
)
INSERT INTO mstProject (ProjectCode, ProjectName, ProjectInitialName, ProjectOwnerID, BeginDate, EndDate,
                        Address1, City, Province, Country, StatusID, StatusDesc, ProjectModel, EntryBy, EntryFrom)
SELECT CAST(:code AS varchar), CAST(:name AS varchar), 'LRG', owner.CompanyID,
       CAST(:begin AS date), CAST(:end AS date), 'Jl. Proyek Besar No. 1', 'Jakarta Selatan', 'DKI Jakarta',
       'Indonesia', 2, 'Proyek telah disetujui.', 'External', 'generator', 'skmadmin'
FROM owner
RETURNING ProjectID
)sql";

const char* const kTeam = R"sql(
WITH prm AS (SELECT CAST(:p AS integer) AS ProjectID, CAST(:name AS varchar) AS Name),
title AS (SELECT j.JobTitleID FROM prefJobTitle j WHERE j.JobTitleName = 'Project Manager' ORDER BY j.JobTitleID LIMIT 1),
c AS (INSERT INTO mstContact (ContactName, EntryBy, EntryFrom)
      SELECT prm.Name, 'generator', 'skmadmin' FROM prm RETURNING ContactID),
e AS (INSERT INTO mstEmployee (CompanyID, ContactID, JobTitleID, EntryBy, EntryFrom)
      SELECT 1, c.ContactID, (SELECT title.JobTitleID FROM title), 'generator', 'skmadmin' FROM c
      RETURNING EmployeeID, JobTitleID)
INSERT INTO mstProjectTeam (ProjectID, EmployeeID, JobTitleID, StatusID, EntryBy, EntryFrom)
SELECT prm.ProjectID, e.EmployeeID, e.JobTitleID, 7, 'generator', 'skmadmin'
FROM prm, e
WHERE e.JobTitleID IS NOT NULL
)sql";

const char* const kCategories = R"sql(
INSERT INTO prefCOA (CoaCode, CoaName, CoaLevel)
SELECT prm.Code || '-' || g,
       (ARRAY['PEKERJAAN PERSIAPAN', 'PEKERJAAN STRUKTUR', 'PEKERJAAN ARSITEKTUR',
              'PEKERJAAN MEKANIKAL ELEKTRIKAL', 'PEKERJAAN LUAR'])[g],
       1
FROM (SELECT CAST(:code AS varchar) AS Code) prm
CROSS JOIN generate_series(1, 5) g
)sql";

const char* const kSubCategories = R"sql(
WITH prm AS (SELECT CAST(:code AS varchar) AS Code, CAST(:n AS integer) AS N)
INSERT INTO prefCOA (CoaCode, CoaName, CoaParentID, CoaLevel)
SELECT prm.Code || '-' || ((g - 1) % 5 + 1) || '.' || g, 'Sub Pekerjaan ' || g, c.CoaID, 2
FROM prm
CROSS JOIN generate_series(1, prm.N) g
JOIN prefCOA c ON c.CoaCode = prm.Code || '-' || ((g - 1) % 5 + 1)
)sql";

const char* const kAccounts = R"sql(
WITH prm AS (SELECT CAST(:code AS varchar) AS Code, CAST(:n AS integer) AS N, CAST(:subs AS integer) AS Subs)
INSERT INTO prefCOA (CoaCode, CoaName, CoaParentID, CoaLevel)
SELECT c.CoaCode || '.' || lpad(a::text, 3, '0'),
       (ARRAY['Galian Tanah', 'Urugan', 'Pembesian', 'Bekisting', 'Pengecoran', 'Pasangan Bata',
              'Plesteran', 'Acian', 'Pasang Keramik', 'Plafond', 'Pengecatan', 'Kusen dan Pintu',
              'Rangka Atap', 'Waterproofing', 'Instalasi Listrik', 'Instalasi Air'])[(a - 1) % 16 + 1]
           || ' ' || a,
       c.CoaID, 3
FROM prm
CROSS JOIN generate_series(1, prm.N) a
CROSS JOIN LATERAL (SELECT (a - 1) % prm.Subs + 1 AS s) x
JOIN prefCOA c ON c.CoaCode = prm.Code || '-' || ((x.s - 1) % 5 + 1) || '.' || x.s
)sql";

const char* const kBudgetGroups = R"sql(
WITH prm AS (SELECT CAST(:p AS integer) AS ProjectID, CAST(:code AS varchar) AS Code)
INSERT INTO mstProjectRAP (ProjectID, CoaID, RAPIndex, RAPDesc, RAPLocation, EntryBy, EntryFrom)
SELECT prm.ProjectID, c.CoaID, i, c.CoaName, CASE i WHEN 1 THEN 'Lantai 1-10' ELSE 'Lantai 11-20' END,
       'generator', 'skmadmin'
FROM prm
JOIN prefCOA c ON c.CoaLevel = 3 AND left(c.CoaCode, length(prm.Code) + 1) = prm.Code || '-'
CROSS JOIN generate_series(1, 2) i
)sql";

// Item g: account g mod A, group 1 or 2, numbered within its group; every fifth
// item is a material, 2% of the items are on the lump-sum unit.
const char* const kBudgetItems = R"sql(
WITH prm AS (SELECT CAST(:p AS integer) AS ProjectID, CAST(:code AS varchar) AS Code, CAST(:n AS integer) AS N),
acc AS (
    SELECT row_number() OVER (ORDER BY c.CoaCode) - 1 AS k, c.CoaID, c.CoaName
    FROM prefCOA c, prm
    WHERE c.CoaLevel = 3 AND left(c.CoaCode, length(prm.Code) + 1) = prm.Code || '-'
),
na AS (SELECT count(*) AS A FROM acc),
el AS (
    SELECT array_agg(e.ElementID ORDER BY e.ElementCode) FILTER (WHERE e.ElementType = '02') AS Labour,
           array_agg(e.ElementID ORDER BY e.ElementCode) FILTER (WHERE e.ElementType = '01') AS Material
    FROM mstElement e
    WHERE e.ElementCode LIKE 'GEN-%'
),
gen AS (
    SELECT g, random() AS r1, random() AS r2, random() AS r3, random() AS r4
    FROM prm, generate_series(0, prm.N - 1) g
),
item AS (
    SELECT prm.ProjectID, acc.CoaID,
           CAST((gen.g / na.A) % 2 + 1 AS integer) AS RAPIndex,
           CAST(gen.g / (2 * na.A) + 1 AS integer) AS RAP2Index,
           CASE WHEN gen.g % 5 = 0 THEN 'Material ' ELSE 'Upah ' END || acc.CoaName AS RAP2Desc,
           CASE WHEN gen.g % 5 = 0 THEN el.Material[gen.g % array_length(el.Material, 1) + 1]
                ELSE el.Labour[gen.g % array_length(el.Labour, 1) + 1] END AS ElementID,
           CASE WHEN gen.r3 < 0.02 THEN 1 ELSE 2 + gen.g % 17 END AS MeasurementID,
           round(CAST(100 + gen.r1 * 9900 AS numeric), 3) AS Quantity,
           round(CAST(1000 + gen.r2 * 499000 AS numeric), -2) AS Price,
           CASE WHEN gen.r4 < 0.5 THEN '11' WHEN gen.r4 < 0.7 THEN '10' WHEN gen.r4 < 0.85 THEN '01' ELSE '00' END
               AS Flags,
           CASE WHEN gen.g % 5 = 0 THEN 'Material' ELSE 'Upah' END AS Model
    FROM prm, na, el, gen, acc
    WHERE acc.k = gen.g % na.A
)
INSERT INTO mstProjectRAP2 (ProjectID, CoaID, RAPIndex, RAP2Index, RAP2Desc, ElementID, MeasurementID,
                            RAPQuantity, RAPPriceAmount, RAPTotalAmount, IsValidateType, RAPModel,
                            EntryBy, EntryFrom)
SELECT item.ProjectID, item.CoaID, item.RAPIndex, item.RAP2Index, item.RAP2Desc, item.ElementID,
       item.MeasurementID, item.Quantity, item.Price, round(item.Quantity * item.Price, 2), item.Flags,
       item.Model, 'generator', 'skmadmin'
FROM item
)sql";

const char* const kFirms = R"sql(
WITH prm AS (SELECT CAST(:prefix AS varchar) AS Prefix, CAST(:n AS integer) AS N)
INSERT INTO mstCompany (CompanyName, CompanyTypeID, CoreBusinessID, CompanyFixedPhone, CompanyCity,
                        CompanyProvince, CompanyCountry, EntryBy, EntryFrom)
SELECT prm.Prefix || lpad(g::text, 3, '0'), 2, 2, '021-' || (5000000 + g), 'Jakarta', 'DKI Jakarta',
       'Indonesia', 'generator', 'skmadmin'
FROM prm, generate_series(1, prm.N) g
)sql";

// Work order g is dated g/N of the way through the year; 60% approved, 15%
// submitted, 10% in entry, 5% terminated, 10% cancelled; the first five
// take one status each, so every status is present.
const char* const kWorkOrders = R"sql(
WITH prm AS (SELECT CAST(:p AS integer) AS ProjectID, CAST(:code AS varchar) AS Code,
                    CAST(:prefix AS varchar) AS Prefix, CAST(:n AS integer) AS N, CAST(:last AS date) AS LastDay),
firm AS (
    SELECT array_agg(c.CompanyID ORDER BY c.CompanyName) AS Ids
    FROM mstCompany c, prm
    WHERE left(c.CompanyName, length(prm.Prefix)) = prm.Prefix
),
gen AS (SELECT g, random() AS r FROM prm, generate_series(0, prm.N - 1) g),
wo AS (
    SELECT prm.Code || '/SPK/' || lpad((gen.g + 1)::text, 6, '0') AS SPKCode,
           (prm.LastDay - 364 + CAST(gen.g * 365 / prm.N AS integer)) + time '08:00'
               + (gen.g % 9) * interval '1 hour' AS SPKDate,
           prm.ProjectID,
           firm.Ids[(gen.g * 7) % array_length(firm.Ids, 1) + 1] AS CompanyID,
           CASE WHEN gen.g < 5 THEN (ARRAY[2, 11, 1, 5, 3])[gen.g + 1]
                WHEN gen.r < 0.60 THEN 2 WHEN gen.r < 0.75 THEN 11 WHEN gen.r < 0.85 THEN 1
                WHEN gen.r < 0.90 THEN 5 ELSE 3 END AS StatusID,
           gen.g
    FROM prm, firm, gen
)
INSERT INTO mstProjectSPK (SPKCode, SPKDate, ProjectID, CompanyID, SPKRetensionPercentage, SPKPPhPercentage,
                           SPKDesc3, StatusID, StatusDesc, EntryBy, EntryFrom)
SELECT wo.SPKCode, wo.SPKDate, wo.ProjectID, wo.CompanyID, 5, CASE WHEN wo.g % 4 = 0 THEN 2 ELSE 4 END,
       'Pekerjaan tahap ' || (wo.g + 1), wo.StatusID, FunSPKStatusDesc(wo.StatusID), 'generator', 'skmadmin'
FROM wo
)sql";

// Line g belongs to work order g mod W (its index g div W + 1) and draws a
// labour item spread over the whole budget.
const char* const kLines = R"sql(
WITH prm AS (SELECT CAST(:p AS integer) AS ProjectID, CAST(:code AS varchar) AS Code,
                    CAST(:n AS integer) AS N, CAST(:w AS integer) AS W),
lab AS (
    SELECT row_number() OVER (ORDER BY r2.RAP2ID) - 1 AS k, r2.RAP2ID, r2.RAP2Desc, r2.MeasurementID,
           r2.RAPQuantity, r2.RAPPriceAmount
    FROM mstProjectRAP2 r2
    LEFT JOIN mstElement e ON e.ElementID = r2.ElementID
    CROSS JOIN prm
    WHERE r2.ProjectID = prm.ProjectID AND (e.ElementType = '02' OR e.ElementType IS NULL)
),
nl AS (SELECT count(*) AS C FROM lab),
gen AS (SELECT g, random() AS r FROM prm, generate_series(0, prm.N - 1) g)
INSERT INTO mstProjectSPKDetail (SPKCode, SPKDIndex, RAP2ID, SPKDWorkDesc, MeasurementID, SPKDQuantity,
                                 SPKDPriceAmount, SPKDDesc, EntryBy, EntryFrom)
SELECT prm.Code || '/SPK/' || lpad((gen.g % prm.W + 1)::text, 6, '0'),
       CAST(gen.g / prm.W + 1 AS integer),
       lab.RAP2ID, lab.RAP2Desc, lab.MeasurementID,
       round(lab.RAPQuantity * CAST(0.001 + gen.r * 0.01 AS numeric), 3),
       round(lab.RAPPriceAmount * CAST(0.9 + gen.r * 0.1 AS numeric), 2),
       CASE WHEN gen.g % 10 = 0 THEN 'Termasuk pembersihan' END,
       'generator', 'skmadmin'
FROM prm, nl, gen, lab
WHERE lab.k = (CAST(gen.g AS bigint) * 7919) % nl.C
)sql";

const char* const kTotals = R"sql(
UPDATE mstProjectSPK s
SET SPKTotalAmount = t.Total, SPKPPnAmount = 0, SPKGrandTotalAmount = t.Total
FROM (SELECT d.SPKCode, round(sum(d.SPKDQuantity * d.SPKDPriceAmount), 2) AS Total
      FROM mstProjectSPKDetail d
      JOIN mstProjectSPK h ON h.SPKCode = d.SPKCode
      WHERE h.ProjectID = CAST(:p AS integer)
      GROUP BY d.SPKCode) t
WHERE s.SPKCode = t.SPKCode
)sql";

// One receipt per foreman and month; each approved work order is half paid.
const char* const kReceipts = R"sql(
WITH prm AS (SELECT CAST(:p AS integer) AS ProjectID, CAST(:code AS varchar) AS Code),
src AS (
    SELECT DISTINCT s.CompanyID, CAST(date_trunc('month', s.SPKDate) AS date) AS Month
    FROM mstProjectSPK s, prm
    WHERE s.ProjectID = prm.ProjectID AND s.StatusID = 2
)
INSERT INTO mstProjectSPKPaymentBatch (ReceiptCode, ProjectID, CompanyID, PaymentPeriodBegin, PaymentPeriodEnd,
                                       PaymentDate, StatusID, StatusDesc, EntryBy, EntryFrom)
SELECT prm.Code || '/KW/' || src.CompanyID || '/' || to_char(src.Month, 'YYYYMM'), prm.ProjectID, src.CompanyID,
       src.Month + 14, src.Month + 27, src.Month + 28, 2, 'Pembayaran telah disetujui.', 'generator', 'skmadmin'
FROM prm, src
)sql";

const char* const kPayments = R"sql(
WITH prm AS (SELECT CAST(:p AS integer) AS ProjectID, CAST(:code AS varchar) AS Code),
pay AS (
    SELECT s.SPKCode, s.CompanyID, s.SPKDate, round(s.SPKTotalAmount / 2, 2) AS Amount,
           s.SPKRetensionPercentage AS Ret, s.SPKPPhPercentage AS PPh
    FROM mstProjectSPK s, prm
    WHERE s.ProjectID = prm.ProjectID AND s.StatusID = 2
)
INSERT INTO mstProjectSPKPayment (ReceiptCode, SPKCode, PaymentIndex, PaymentDate, PaymentAmount,
                                  PaymentRetensionAmount, PaymentSubTotalAmount, PaymentPPhAmount,
                                  PaymentPPnAmount, PaymentTotalAmount, PaymentGrandTotalAmount, StatusID,
                                  StatusDesc, EntryBy, EntryFrom)
SELECT prm.Code || '/KW/' || pay.CompanyID || '/' || to_char(pay.SPKDate, 'YYYYMM'), pay.SPKCode, 1,
       CAST(date_trunc('month', pay.SPKDate) AS date) + 28, pay.Amount, pay.Amount * pay.Ret / 100,
       pay.Amount - pay.Amount * pay.Ret / 100, pay.Amount * pay.PPh / 100, 0,
       pay.Amount - pay.Amount * pay.Ret / 100 - pay.Amount * pay.PPh / 100,
       pay.Amount - pay.Amount * pay.Ret / 100 - pay.Amount * pay.PPh / 100, 2, 'Pembayaran telah disetujui.',
       'generator', 'skmadmin'
FROM prm, pay
)sql";

const char* const kPaymentLines = R"sql(
INSERT INTO mstProjectSPKPaymentDetail (ReceiptCode, SPKCode, PaymentIndex, SPKDIndex, PaymentPercentage,
                                        PaymentQuantity, EntryBy, EntryFrom)
SELECT p.ReceiptCode, d.SPKCode, p.PaymentIndex, d.SPKDIndex, 50, round(d.SPKDQuantity / 2, 3),
       'generator', 'skmadmin'
FROM mstProjectSPKPayment p
JOIN mstProjectSPK s ON s.SPKCode = p.SPKCode
JOIN mstProjectSPKDetail d ON d.SPKCode = p.SPKCode
WHERE s.ProjectID = CAST(:p AS integer)
)sql";

} // namespace

ScaleGenerator::ScaleGenerator(Scalar scalar) : m_scalar(std::move(scalar)) {}

ScaleGenerator::ScaleGenerator(db::Connection& connection)
    : m_scalar([&connection](const QString& sql, const db::ParamList& params) {
          QSqlQuery q = connection.exec(sql, params);
          return q.isSelect() && q.next() ? q.value(0) : QVariant();
      }) {}

QVariant ScaleGenerator::run(const QString& sql, const db::ParamList& params) {
    return m_scalar(sql, params);
}

int ScaleGenerator::generate(const Options& o) {
    const QString code = o.projectCode.trimmed();
    if (code.isEmpty() || code.size() > 25)
        throw AdminError(QStringLiteral("The project code must have 1 to 25 characters."));
    if (o.budgetItems < 1 || o.accounts < 1 || o.firms < 1 || o.workOrders < 1 || o.lines < 0)
        throw AdminError(QStringLiteral("Counts must be positive."));
    if (o.accounts > 999 || o.workOrders > 999999 || o.accounts > o.budgetItems)
        throw AdminError(QStringLiteral(
            "At most 999 accounts (no more than budget items) and 999999 work orders."));
    if (!o.lastDay.isValid())
        throw AdminError(QStringLiteral("The last day of the work orders is not a valid date."));
    if (run(QStringLiteral("SELECT count(*) FROM mstProject WHERE ProjectCode = :c"), {{"c", code}})
                .toInt() > 0 ||
        run(QStringLiteral("SELECT count(*) FROM prefCOA WHERE left(CoaCode, length(:c) + 1) = :p"),
            {{"c", code}, {"p", code + u'-'}})
                .toInt() > 0)
        throw AdminError(QStringLiteral("Project code %1 is already in use.").arg(code));

    const QString firmPrefix = QStringLiteral("MANDOR %1 ").arg(code);
    run(QStringLiteral("SELECT setseed(CAST(:s AS double precision))"),
        {{"s", double(((o.seed % 2000) + 2000) % 2000 - 1000) / 1000.0}});

    run(QString::fromLatin1(kElements), {{"n", kElementsPerType}});
    const int projectID =
        run(QString::fromLatin1(kProject), {{"owner", QStringLiteral("PT. PEMILIK %1").arg(code)},
                                            {"code", code},
                                            {"name", QStringLiteral("Proyek Besar %1").arg(code)},
                                            {"begin", o.lastDay.addDays(-400)},
                                            {"end", o.lastDay.addDays(400)}})
            .toInt();
    if (projectID <= 0)
        throw AdminError(QStringLiteral("The project could not be created."));
    run(QString::fromLatin1(kTeam),
        {{"p", projectID}, {"name", QStringLiteral("Manajer %1").arg(code)}});

    const int subs = std::max(1, o.accounts / 10);
    run(QString::fromLatin1(kCategories), {{"code", code}});
    run(QString::fromLatin1(kSubCategories), {{"code", code}, {"n", subs}});
    run(QString::fromLatin1(kAccounts), {{"code", code}, {"n", o.accounts}, {"subs", subs}});
    run(QString::fromLatin1(kBudgetGroups), {{"p", projectID}, {"code", code}});
    run(QString::fromLatin1(kBudgetItems),
        {{"p", projectID}, {"code", code}, {"n", o.budgetItems}});

    run(QString::fromLatin1(kFirms), {{"prefix", firmPrefix}, {"n", o.firms}});
    run(QString::fromLatin1(kWorkOrders), {{"p", projectID},
                                           {"code", code},
                                           {"prefix", firmPrefix},
                                           {"n", o.workOrders},
                                           {"last", o.lastDay}});
    if (o.lines > 0)
        run(QString::fromLatin1(kLines),
            {{"p", projectID}, {"code", code}, {"n", o.lines}, {"w", o.workOrders}});
    run(QString::fromLatin1(kTotals), {{"p", projectID}});
    run(QString::fromLatin1(kReceipts), {{"p", projectID}, {"code", code}});
    run(QString::fromLatin1(kPayments), {{"p", projectID}, {"code", code}});
    run(QString::fromLatin1(kPaymentLines), {{"p", projectID}});
    if (m_script)
        m_script(QStringLiteral(
            "ANALYZE prefCOA, mstCompany, mstProjectRAP, mstProjectRAP2, mstProjectSPK, "
            "mstProjectSPKDetail, mstProjectSPKPaymentBatch, mstProjectSPKPayment, "
            "mstProjectSPKPaymentDetail"));
    return projectID;
}

} // namespace admin
