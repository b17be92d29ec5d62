#pragma once

// SQL text of the work-order queries of TDMSPK. Parameters are named
// placeholders bound by value; each query first copies them into a one-row
// "prm" set and uses only that afterwards.
//
// Committed volume of a budget item (TrxPreviousQuantity): the volume of the
// work-order lines of the item whose work order is in the listed statuses,
// plus the volume of its petty-cash lines whose voucher (mstProjectPC, joined
// on the voucher's ReceiptCode) is in status 2 or 11.
namespace SpkQueries {

// Budget labour items of a project (element type '02' or no element), with
// the volume committed by work orders in status 2 or 11 and by petty cash.
// Parameter :ProjectID.
inline constexpr const char* kProjectRAPUpah = R"sql(
WITH prm AS (SELECT CAST(:ProjectID AS integer) AS ProjectID),
spk AS (
    SELECT d.RAP2ID, sum(d.SPKDQuantity) AS Quantity
    FROM mstProjectSPKDetail d
    JOIN mstProjectSPK s ON s.SPKCode = d.SPKCode
    WHERE s.StatusID IN (2, 11)
      AND d.RAP2ID IN (SELECT x.RAP2ID FROM mstProjectRAP2 x, prm WHERE x.ProjectID = prm.ProjectID)
    GROUP BY d.RAP2ID
),
pc AS (
    SELECT pd.RAP2ID, sum(pd.PCDQuantity) AS Quantity
    FROM mstProjectPCDetail pd
    JOIN mstProjectPC p ON p.ReceiptCode = pd.ReceiptCode
    WHERE p.StatusID IN (2, 11)
      AND pd.RAP2ID IN (SELECT x.RAP2ID FROM mstProjectRAP2 x, prm WHERE x.ProjectID = prm.ProjectID)
    GROUP BY pd.RAP2ID
)
SELECT r2.RAP2ID,
       r2.ProjectID,
       r2.CoaID,
       co.CoaCode,
       co.CoaName,
       CAST(co.CoaCode || ' - ' || co.CoaName AS varchar(153)) AS COAFullName,
       r2.RAPIndex,
       r2.RAP2Index,
       r2.RAP2Desc,
       r.RAPDesc,
       r.RAPLocation,
       CAST(r2.RAP2Desc || ' (' || r.RAPLocation || ')' AS varchar(359)) AS RAPFullName,
       r2.ElementID,
       r2.MeasurementID,
       m.MeasurementCode,
       r2.RAPQuantity,
       r2.RAPPriceAmount,
       r2.RAPTotalAmount,
       r2.IsValidateType,
       CAST(coalesce(spk.Quantity, 0) + coalesce(pc.Quantity, 0) AS numeric(32, 3)) AS TrxPreviousQuantity
FROM mstProjectRAP2 r2
CROSS JOIN prm
LEFT JOIN mstProjectRAP r
  ON r.ProjectID = r2.ProjectID AND r.CoaID = r2.CoaID AND r.RAPIndex = r2.RAPIndex
LEFT JOIN prefCOA co ON co.CoaID = r2.CoaID
LEFT JOIN mstElement e ON e.ElementID = r2.ElementID
LEFT JOIN prefMeasurement m ON m.MeasurementID = r2.MeasurementID
LEFT JOIN spk ON spk.RAP2ID = r2.RAP2ID
LEFT JOIN pc ON pc.RAP2ID = r2.RAP2ID
WHERE r2.ProjectID = prm.ProjectID
  AND (e.ElementType = '02' OR e.ElementType IS NULL)
)sql";

// One budget item (no element-type filter), with the volume committed by work
// orders in status 2, 11 or 5 and by petty cash: what a new line is checked
// against. Parameter :RAP2ID.
inline constexpr const char* kProjectRAPUpahDetail = R"sql(
WITH prm AS (SELECT CAST(:RAP2ID AS integer) AS RAP2ID)
SELECT r2.RAP2ID,
       r2.ProjectID,
       r2.CoaID,
       co.CoaCode,
       co.CoaName,
       CAST(co.CoaCode || ' - ' || co.CoaName AS varchar(153)) AS COAFullName,
       r2.RAPIndex,
       r2.RAP2Index,
       r2.RAP2Desc,
       r.RAPLocation,
       CAST(r2.RAP2Desc || ' (' || r.RAPLocation || ')' AS varchar(359)) AS RAPFullName,
       r2.ElementID,
       r2.MeasurementID,
       m.MeasurementCode,
       r2.RAPQuantity,
       r2.RAPPriceAmount,
       r2.RAPTotalAmount,
       r2.IsValidateType,
       CAST(coalesce((SELECT sum(d.SPKDQuantity)
                      FROM mstProjectSPKDetail d
                      JOIN mstProjectSPK s ON s.SPKCode = d.SPKCode
                      WHERE d.RAP2ID = r2.RAP2ID AND s.StatusID IN (2, 11, 5)), 0)
            + coalesce((SELECT sum(pd.PCDQuantity)
                        FROM mstProjectPCDetail pd
                        JOIN mstProjectPC p ON p.ReceiptCode = pd.ReceiptCode
                        WHERE pd.RAP2ID = r2.RAP2ID AND p.StatusID IN (2, 11)), 0)
            AS numeric(32, 3)) AS TrxPreviousQuantity
FROM mstProjectRAP2 r2
CROSS JOIN prm
LEFT JOIN mstProjectRAP r
  ON r.ProjectID = r2.ProjectID AND r.CoaID = r2.CoaID AND r.RAPIndex = r2.RAPIndex
LEFT JOIN prefCOA co ON co.CoaID = r2.CoaID
LEFT JOIN mstElement e ON e.ElementID = r2.ElementID
LEFT JOIN prefMeasurement m ON m.MeasurementID = r2.MeasurementID
WHERE r2.RAP2ID = prm.RAP2ID
)sql";

} // namespace SpkQueries
