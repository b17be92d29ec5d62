-- Foreman work orders (SPK Mandor): entry, lines, submission, deletion,
-- status changes of the approving office, and the register. Safe to re-run.
--
-- Status of a work order: 1 entry, 11 submitted, 2 approved, 5 terminated,
-- 3 cancelled. Only status 1 may be edited, deleted or submitted.
-- Committed budget volume of an item: lines of work orders in 2, 11 or 5 plus
-- petty-cash lines whose voucher is in 2 or 11.

CREATE OR REPLACE FUNCTION FunSPKStatusDesc(StatusID integer)
RETURNS varchar(255)
LANGUAGE sql IMMUTABLE
SET search_path = public
AS $$
    SELECT CAST(CASE FunSPKStatusDesc.StatusID
                    WHEN 1 THEN 'Entry'
                    WHEN 11 THEN 'SPK telah diajukan.'
                    WHEN 2 THEN 'SPK telah disetujui.'
                    WHEN 5 THEN 'SPK telah diputus.'
                    WHEN 3 THEN 'SPK telah dibatalkan.'
                END AS varchar(255));
$$;
COMMENT ON FUNCTION FunSPKStatusDesc(integer) IS
    'Status text of a work order as stored in mstProjectSPK.StatusDesc: 1 "Entry", 11 "SPK telah diajukan.", 2 "SPK telah disetujui.", 5 "SPK telah diputus.", 3 "SPK telah dibatalkan."; null for any other status.';

-- Not SECURITY DEFINER: callable only from the writing functions (sa may not
-- update mstProjectSPK itself).
CREATE OR REPLACE FUNCTION FunProjectSPKRecalc(SPKCode varchar)
RETURNS varchar(255)
LANGUAGE plpgsql
SET search_path = public
AS $$
DECLARE
    v_ppn boolean;
    v_total numeric;
    v_rate numeric;
BEGIN
    SELECT s.SPKPPn INTO v_ppn
    FROM mstProjectSPK s
    WHERE s.SPKCode = FunProjectSPKRecalc.SPKCode;
    IF NOT FOUND THEN
        RETURN 'SPK tidak ditemukan.';
    END IF;

    SELECT round(coalesce(sum(d.SPKDQuantity * d.SPKDPriceAmount), 0), 2) INTO v_total
    FROM mstProjectSPKDetail d
    WHERE d.SPKCode = FunProjectSPKRecalc.SPKCode;

    v_rate := 0;
    IF v_ppn THEN
        v_rate := FunSettingNumeric('PPnPercentage');
        IF v_rate IS NULL THEN
            RETURN 'Tarif PPn (PPnPercentage) belum diatur di server.';
        END IF;
    END IF;

    UPDATE mstProjectSPK s
    SET SPKTotalAmount = v_total,
        SPKPPnAmount = v_total * v_rate / 100,
        SPKGrandTotalAmount = v_total + v_total * v_rate / 100
    WHERE s.SPKCode = FunProjectSPKRecalc.SPKCode;
    RETURN NULL;
END;
$$;
COMMENT ON FUNCTION FunProjectSPKRecalc(varchar) IS
    'Recomputes the header totals of a work order from its lines: SPKTotalAmount = sum of SPKDQuantity x SPKDPriceAmount rounded to 2 places; SPKPPnAmount = total x admSetting PPnPercentage / 100 when SPKPPn is set, else 0; SPKGrandTotalAmount = total + PPn. Returns null on success, else the reason (unknown work order, PPn rate missing) with nothing changed.';

CREATE OR REPLACE FUNCTION procProjectSPKMandorEntry(
    EntryCode varchar,
    EntryBy varchar,
    EntryFrom varchar,
    SPKCode varchar,
    SPKCodeNew varchar,
    SPKDate timestamp,
    ProjectID integer,
    CompanyID integer,
    SPKTotalAmount numeric,
    SPKRetensionPercentage numeric,
    SPKPPhPercentage numeric,
    SPKDesc3 varchar,
    OUT Hasil varchar)
LANGUAGE plpgsql
SECURITY DEFINER
SET search_path = public
AS $$
DECLARE
    v_mode text := upper(btrim(coalesce(procProjectSPKMandorEntry.EntryCode, '')));
    v_old varchar := btrim(coalesce(procProjectSPKMandorEntry.SPKCode, ''));
    v_new varchar := btrim(coalesce(procProjectSPKMandorEntry.SPKCodeNew, ''));
    v_retension numeric := coalesce(procProjectSPKMandorEntry.SPKRetensionPercentage, 0);
    v_pph numeric := coalesce(procProjectSPKMandorEntry.SPKPPhPercentage, 0);
    v_status integer;
    v_project integer;
    v_error varchar;
BEGIN
    IF v_mode NOT IN ('INSERT', 'UPDATE') THEN
        Hasil := FunHasil('01', 'Mode entry SPK tidak dikenal: ' || coalesce(procProjectSPKMandorEntry.EntryCode, '') || '.');
        RETURN;
    END IF;
    IF v_new = '' AND v_mode = 'INSERT' THEN
        v_new := v_old;
    END IF;
    IF v_new = '' OR (v_mode = 'UPDATE' AND v_old = '') THEN
        Hasil := FunHasil('02', 'No. SPK belum diisi.');
        RETURN;
    END IF;
    IF length(v_new) > 50 THEN
        Hasil := FunHasil('02', 'No. SPK terlalu panjang (maksimal 50 karakter).');
        RETURN;
    END IF;
    IF procProjectSPKMandorEntry.SPKDate IS NULL THEN
        Hasil := FunHasil('03', 'Tanggal SPK belum diisi.');
        RETURN;
    END IF;
    IF v_retension < 0 OR v_retension > 100 OR v_pph < 0 OR v_pph > 100 THEN
        Hasil := FunHasil('04', 'Persentase retensi dan PPh harus antara 0 dan 100.');
        RETURN;
    END IF;
    IF length(coalesce(procProjectSPKMandorEntry.SPKDesc3, '')) > 256 THEN
        Hasil := FunHasil('04', 'Catatan SPK terlalu panjang (maksimal 256 karakter).');
        RETURN;
    END IF;
    IF NOT EXISTS (SELECT 1 FROM mstProject p WHERE p.ProjectID = procProjectSPKMandorEntry.ProjectID) THEN
        Hasil := FunHasil('05', 'Proyek tidak ditemukan.');
        RETURN;
    END IF;
    IF NOT EXISTS (SELECT 1 FROM mstCompany c WHERE c.CompanyID = procProjectSPKMandorEntry.CompanyID) THEN
        Hasil := FunHasil('06', 'Mandor (perusahaan) tidak ditemukan.');
        RETURN;
    END IF;

    IF v_mode = 'INSERT' THEN
        IF EXISTS (SELECT 1 FROM mstProjectSPK s WHERE s.SPKCode = v_new) THEN
            Hasil := FunHasil('07', 'No. SPK ' || v_new || ' sudah terdaftar.');
            RETURN;
        END IF;
        BEGIN
            INSERT INTO mstProjectSPK (SPKCode, SPKDate, ProjectID, CompanyID, SPKTotalAmount,
                                       SPKRetensionPercentage, SPKPPhPercentage, SPKPPn,
                                       SPKPPnAmount, SPKGrandTotalAmount, SPKDesc3, StatusID,
                                       StatusDesc, EntryBy, EntryFrom, EntryTime)
            VALUES (v_new, procProjectSPKMandorEntry.SPKDate, procProjectSPKMandorEntry.ProjectID,
                    procProjectSPKMandorEntry.CompanyID, 0, v_retension, v_pph, false, 0, 0,
                    procProjectSPKMandorEntry.SPKDesc3, 1, FunSPKStatusDesc(1),
                    left(procProjectSPKMandorEntry.EntryBy, 100),
                    left(procProjectSPKMandorEntry.EntryFrom, 100), localtimestamp);
        EXCEPTION WHEN unique_violation THEN
            Hasil := FunHasil('07', 'No. SPK ' || v_new || ' sudah terdaftar.');
            RETURN;
        END;
        Hasil := FunHasil('00', 'SPK ' || v_new || ' telah disimpan.');
        RETURN;
    END IF;

    SELECT s.StatusID, s.ProjectID INTO v_status, v_project
    FROM mstProjectSPK s
    WHERE s.SPKCode = v_old
    FOR UPDATE;
    IF NOT FOUND THEN
        Hasil := FunHasil('08', 'SPK ' || v_old || ' tidak ditemukan.');
        RETURN;
    END IF;
    IF v_status <> 1 THEN
        Hasil := FunHasil('09', 'SPK ' || v_old || ' tidak dapat diubah: '
                                || coalesce(FunSPKStatusDesc(v_status), 'status ' || v_status));
        RETURN;
    END IF;
    IF v_project <> procProjectSPKMandorEntry.ProjectID THEN
        Hasil := FunHasil('05', 'SPK ' || v_old || ' bukan milik proyek ini.');
        RETURN;
    END IF;
    IF v_new <> v_old AND EXISTS (SELECT 1 FROM mstProjectSPK s WHERE s.SPKCode = v_new) THEN
        Hasil := FunHasil('07', 'No. SPK ' || v_new || ' sudah terdaftar.');
        RETURN;
    END IF;

    -- The lines sent after this call replace the stored ones. A refusal in
    -- this block undoes the delete with it.
    BEGIN
        DELETE FROM mstProjectSPKDetail d WHERE d.SPKCode = v_old;
        UPDATE mstProjectSPK s
        SET SPKCode = v_new,
            SPKDate = procProjectSPKMandorEntry.SPKDate,
            CompanyID = procProjectSPKMandorEntry.CompanyID,
            SPKRetensionPercentage = v_retension,
            SPKPPhPercentage = v_pph,
            SPKDesc3 = procProjectSPKMandorEntry.SPKDesc3,
            ModifyBy = left(procProjectSPKMandorEntry.EntryBy, 100),
            ModifyFrom = left(procProjectSPKMandorEntry.EntryFrom, 100),
            ModifyTime = localtimestamp
        WHERE s.SPKCode = v_old;
        v_error := FunProjectSPKRecalc(v_new);
        IF v_error IS NOT NULL THEN
            RAISE EXCEPTION USING ERRCODE = 'SKM01', MESSAGE = v_error;
        END IF;
    EXCEPTION
        WHEN unique_violation THEN
            Hasil := FunHasil('07', 'No. SPK ' || v_new || ' sudah terdaftar.');
            RETURN;
        WHEN SQLSTATE 'SKM01' THEN
            Hasil := FunHasil('10', SQLERRM);
            RETURN;
    END;
    Hasil := FunHasil('00', 'SPK ' || v_new || ' telah disimpan.');
END;
$$;
COMMENT ON FUNCTION procProjectSPKMandorEntry(varchar, varchar, varchar, varchar, varchar, timestamp, integer, integer, numeric, numeric, numeric, varchar) IS
    'Work-order header. INSERT creates work order SPKCodeNew (or SPKCode when empty) in status 1 with no lines; UPDATE changes work order SPKCode (status 1, same project), renames it to SPKCodeNew and deletes its stored lines: the lines sent next replace them. Header totals are always computed from the lines; SPKTotalAmount is ignored. Refuses with nothing changed: unknown mode (01), empty or over-long number (02), no date (03), percentages outside 0..100 or over-long note (04), unknown project or another project''s work order (05), unknown company (06), duplicate number (07), work order not found (08) or not in status 1 (09). Answers "00- SPK <code> telah disimpan.".';

CREATE OR REPLACE FUNCTION procProjectSPKMandorDetailEntry(
    EntryCode varchar,
    SPKCode varchar,
    RAP2ID integer,
    SPKDWorkDesc varchar,
    MeasurementID integer,
    SPKDQuantity numeric,
    SPKDPriceAmount numeric,
    SPKDDesc varchar,
    OUT Hasil varchar)
LANGUAGE plpgsql
SECURITY DEFINER
SET search_path = public
AS $$
DECLARE
    v_mode text := upper(btrim(coalesce(procProjectSPKMandorDetailEntry.EntryCode, '')));
    v_code varchar := btrim(coalesce(procProjectSPKMandorDetailEntry.SPKCode, ''));
    v_status integer;
    v_project integer;
    v_by varchar(100);
    v_from varchar(100);
    v_index integer;
    v_error varchar;
BEGIN
    IF v_mode NOT IN ('INSERT', 'UPDATE') THEN
        Hasil := FunHasil('01', 'Mode entry SPK tidak dikenal: ' || coalesce(procProjectSPKMandorDetailEntry.EntryCode, '') || '.');
        RETURN;
    END IF;

    SELECT s.StatusID, s.ProjectID, coalesce(s.ModifyBy, s.EntryBy), coalesce(s.ModifyFrom, s.EntryFrom)
    INTO v_status, v_project, v_by, v_from
    FROM mstProjectSPK s
    WHERE s.SPKCode = v_code
    FOR UPDATE;
    IF NOT FOUND THEN
        Hasil := FunHasil('08', 'SPK ' || v_code || ' tidak ditemukan.');
        RETURN;
    END IF;
    IF v_status <> 1 THEN
        Hasil := FunHasil('09', 'SPK ' || v_code || ' tidak dapat diubah: '
                                || coalesce(FunSPKStatusDesc(v_status), 'status ' || v_status));
        RETURN;
    END IF;
    IF NOT EXISTS (SELECT 1
                   FROM mstProjectRAP2 r2
                   LEFT JOIN mstElement e ON e.ElementID = r2.ElementID
                   WHERE r2.RAP2ID = procProjectSPKMandorDetailEntry.RAP2ID
                     AND r2.ProjectID = v_project
                     AND (e.ElementType = '02' OR e.ElementType IS NULL)) THEN
        Hasil := FunHasil('11', 'Item RAP bukan pekerjaan upah proyek ini.');
        RETURN;
    END IF;
    IF NOT EXISTS (SELECT 1 FROM prefMeasurement m
                   WHERE m.MeasurementID = procProjectSPKMandorDetailEntry.MeasurementID) THEN
        Hasil := FunHasil('12', 'Satuan tidak dikenal.');
        RETURN;
    END IF;
    IF procProjectSPKMandorDetailEntry.SPKDPriceAmount IS NULL
       OR procProjectSPKMandorDetailEntry.SPKDPriceAmount <= 0 THEN
        Hasil := FunHasil('13', 'Harga SPK harus lebih besar dari 0.');
        RETURN;
    END IF;
    IF procProjectSPKMandorDetailEntry.SPKDQuantity IS NULL
       OR procProjectSPKMandorDetailEntry.SPKDQuantity < 0 THEN
        Hasil := FunHasil('14', 'Volume SPK tidak boleh negatif.');
        RETURN;
    END IF;
    IF length(coalesce(procProjectSPKMandorDetailEntry.SPKDWorkDesc, '')) > 256
       OR length(coalesce(procProjectSPKMandorDetailEntry.SPKDDesc, '')) > 256 THEN
        Hasil := FunHasil('15', 'Uraian atau keterangan terlalu panjang (maksimal 256 karakter).');
        RETURN;
    END IF;

    SELECT coalesce(max(d.SPKDIndex), 0) + 1 INTO v_index
    FROM mstProjectSPKDetail d
    WHERE d.SPKCode = v_code;

    BEGIN
        INSERT INTO mstProjectSPKDetail (SPKCode, SPKDIndex, RAP2ID, SPKDWorkDesc, MeasurementID,
                                         SPKDQuantity, SPKDPriceAmount, SPKDDesc, EntryBy,
                                         EntryFrom, EntryTime)
        VALUES (v_code, v_index, procProjectSPKMandorDetailEntry.RAP2ID,
                procProjectSPKMandorDetailEntry.SPKDWorkDesc,
                procProjectSPKMandorDetailEntry.MeasurementID,
                procProjectSPKMandorDetailEntry.SPKDQuantity,
                procProjectSPKMandorDetailEntry.SPKDPriceAmount,
                procProjectSPKMandorDetailEntry.SPKDDesc, v_by, v_from, localtimestamp);
        v_error := FunProjectSPKRecalc(v_code);
        IF v_error IS NOT NULL THEN
            RAISE EXCEPTION USING ERRCODE = 'SKM01', MESSAGE = v_error;
        END IF;
    EXCEPTION
        WHEN numeric_value_out_of_range THEN
            Hasil := FunHasil('16', 'Volume atau harga SPK terlalu besar.');
            RETURN;
        WHEN SQLSTATE 'SKM01' THEN
            Hasil := FunHasil('10', SQLERRM);
            RETURN;
    END;
    Hasil := FunHasil('00', 'Item pekerjaan ' || v_index || ' telah disimpan.');
END;
$$;
COMMENT ON FUNCTION procProjectSPKMandorDetailEntry(varchar, varchar, integer, varchar, integer, numeric, numeric, varchar) IS
    'Adds one line to work order SPKCode with the next SPKDIndex and recomputes the header totals (see FunProjectSPKRecalc). Refuses with nothing changed: unknown mode (01), work order not found (08) or not in status 1 (09), item not a labour item (element type 02 or none) of the work order''s project (11), unknown unit (12), price not above 0 (13), negative volume (14), over-long texts (15), amounts too large (16), PPn rate missing (10). Volume is not checked against the budget here: lines of status-1 work orders commit nothing until submitted.';

CREATE OR REPLACE FUNCTION procProjectSPKMandorSubmit(
    EntryCode varchar,
    EntryBy varchar,
    EntryFrom varchar,
    ProjectID integer,
    SPKCode varchar,
    OUT Hasil varchar)
LANGUAGE plpgsql
SECURITY DEFINER
SET search_path = public
AS $$
DECLARE
    v_code varchar := btrim(coalesce(procProjectSPKMandorSubmit.SPKCode, ''));
    v_status integer;
    v_project integer;
    v_over record;
BEGIN
    SELECT s.StatusID, s.ProjectID INTO v_status, v_project
    FROM mstProjectSPK s
    WHERE s.SPKCode = v_code
    FOR UPDATE;
    IF NOT FOUND THEN
        Hasil := FunHasil('08', 'SPK ' || v_code || ' tidak ditemukan.');
        RETURN;
    END IF;
    IF v_project IS DISTINCT FROM procProjectSPKMandorSubmit.ProjectID THEN
        Hasil := FunHasil('05', 'SPK ' || v_code || ' bukan milik proyek ini.');
        RETURN;
    END IF;
    IF v_status <> 1 THEN
        Hasil := FunHasil('09', 'SPK ' || v_code || ' tidak dapat diajukan: '
                                || coalesce(FunSPKStatusDesc(v_status), 'status ' || v_status));
        RETURN;
    END IF;
    IF NOT EXISTS (SELECT 1 FROM mstProjectSPKDetail d WHERE d.SPKCode = v_code) THEN
        Hasil := FunHasil('17', 'SPK ' || v_code || ' belum memiliki item pekerjaan.');
        RETURN;
    END IF;

    -- Serialize submissions that touch the same budget items; the sums below
    -- are read after the locks are held, so they see every committed change.
    PERFORM 1
    FROM mstProjectRAP2 r2
    WHERE r2.RAP2ID IN (SELECT d.RAP2ID FROM mstProjectSPKDetail d WHERE d.SPKCode = v_code)
    ORDER BY r2.RAP2ID
    FOR NO KEY UPDATE;

    SELECT r2.RAP2ID, r2.RAP2Desc, r2.RAPQuantity, own.Quantity,
           coalesce(spk.Quantity, 0) + coalesce(pc.Quantity, 0) AS Committed
    INTO v_over
    FROM (SELECT d.RAP2ID, sum(d.SPKDQuantity) AS Quantity
          FROM mstProjectSPKDetail d
          WHERE d.SPKCode = v_code
          GROUP BY d.RAP2ID) own
    JOIN mstProjectRAP2 r2 ON r2.RAP2ID = own.RAP2ID
    LEFT JOIN LATERAL (SELECT sum(d.SPKDQuantity) AS Quantity
                       FROM mstProjectSPKDetail d
                       JOIN mstProjectSPK s ON s.SPKCode = d.SPKCode
                       WHERE d.RAP2ID = own.RAP2ID
                         AND d.SPKCode <> v_code
                         AND s.StatusID IN (2, 11, 5)) spk ON true
    LEFT JOIN LATERAL (SELECT sum(pd.PCDQuantity) AS Quantity
                       FROM mstProjectPCDetail pd
                       JOIN mstProjectPC p ON p.ReceiptCode = pd.ReceiptCode
                       WHERE pd.RAP2ID = own.RAP2ID
                         AND p.StatusID IN (2, 11)) pc ON true
    WHERE left(r2.IsValidateType, 1) = '1'
      AND r2.MeasurementID IS DISTINCT FROM 1
      AND r2.RAPQuantity < coalesce(spk.Quantity, 0) + coalesce(pc.Quantity, 0) + own.Quantity
    ORDER BY r2.RAP2ID
    LIMIT 1;
    IF FOUND THEN
        Hasil := FunHasil('18', 'Volume SPK melebihi RAP: ' || coalesce(v_over.RAP2Desc, 'item ' || v_over.RAP2ID)
                                || ' (RAP ' || v_over.RAPQuantity::text
                                || ', terpakai ' || v_over.Committed::text
                                || ', SPK ini ' || v_over.Quantity::text || ').');
        RETURN;
    END IF;

    UPDATE mstProjectSPK s
    SET StatusID = 11,
        StatusDesc = FunSPKStatusDesc(11),
        ModifyBy = left(procProjectSPKMandorSubmit.EntryBy, 100),
        ModifyFrom = left(procProjectSPKMandorSubmit.EntryFrom, 100),
        ModifyTime = localtimestamp
    WHERE s.SPKCode = v_code;
    Hasil := FunHasil('00', 'SPK ' || v_code || ' telah diajukan.');
END;
$$;
COMMENT ON FUNCTION procProjectSPKMandorSubmit(varchar, varchar, varchar, integer, varchar) IS
    'Submits work order SPKCode of project ProjectID: status 1 -> 11. Re-checks the budget volume of every item with the volume flag (first character of IsValidateType "1") whose unit is not 1: committed volume (lines of other work orders in 2, 11, 5 and petty-cash lines in 2, 11) plus this work order''s lines of the item must not exceed RAPQuantity. Locks the items involved so concurrent submissions serialize. Refuses with nothing changed: not found (08), another project (05), not in status 1 (09), no lines (17), volume over budget (18).';

CREATE OR REPLACE FUNCTION procProjectSPKMandorDelete(
    SPKCode varchar,
    OUT Hasil varchar)
LANGUAGE plpgsql
SECURITY DEFINER
SET search_path = public
AS $$
DECLARE
    v_code varchar := btrim(coalesce(procProjectSPKMandorDelete.SPKCode, ''));
    v_status integer;
BEGIN
    SELECT s.StatusID INTO v_status
    FROM mstProjectSPK s
    WHERE s.SPKCode = v_code
    FOR UPDATE;
    IF NOT FOUND THEN
        Hasil := FunHasil('08', 'SPK ' || v_code || ' tidak ditemukan.');
        RETURN;
    END IF;
    IF v_status <> 1 THEN
        Hasil := FunHasil('09', 'SPK ' || v_code || ' tidak dapat dihapus: '
                                || coalesce(FunSPKStatusDesc(v_status), 'status ' || v_status));
        RETURN;
    END IF;
    BEGIN
        DELETE FROM mstProjectSPKDetail d WHERE d.SPKCode = v_code;
        DELETE FROM mstProjectSPK s WHERE s.SPKCode = v_code;
    EXCEPTION WHEN foreign_key_violation THEN
        Hasil := FunHasil('19', 'SPK ' || v_code || ' sudah memiliki pembayaran dan tidak dapat dihapus.');
        RETURN;
    END;
    Hasil := FunHasil('00', 'SPK ' || v_code || ' telah dihapus.');
END;
$$;
COMMENT ON FUNCTION procProjectSPKMandorDelete(varchar) IS
    'Deletes work order SPKCode and its lines when it is in status 1. Refuses with nothing changed: not found (08), not in status 1 (09), payments recorded against it (19). Answers "00- SPK <code> telah dihapus.".';

CREATE OR REPLACE FUNCTION procProjectSPKMandorSetStatus(
    SPKCode varchar,
    NewStatusID integer,
    EntryBy varchar,
    EntryFrom varchar,
    OUT Hasil varchar)
LANGUAGE plpgsql
SECURITY DEFINER
SET search_path = public
AS $$
DECLARE
    v_code varchar := btrim(coalesce(procProjectSPKMandorSetStatus.SPKCode, ''));
    v_new integer := procProjectSPKMandorSetStatus.NewStatusID;
    v_status integer;
    v_allowed integer[];
BEGIN
    v_allowed := CASE v_new
                     WHEN 2 THEN ARRAY[11]
                     WHEN 5 THEN ARRAY[11, 2]
                     WHEN 3 THEN ARRAY[1, 11, 2]
                 END;
    IF v_allowed IS NULL THEN
        Hasil := FunHasil('20', 'Status SPK tujuan tidak dikenal: ' || coalesce(v_new::text, '(kosong)') || '.');
        RETURN;
    END IF;
    SELECT s.StatusID INTO v_status
    FROM mstProjectSPK s
    WHERE s.SPKCode = v_code
    FOR UPDATE;
    IF NOT FOUND THEN
        Hasil := FunHasil('08', 'SPK ' || v_code || ' tidak ditemukan.');
        RETURN;
    END IF;
    IF NOT (v_status = ANY (v_allowed)) THEN
        Hasil := FunHasil('21', 'Status SPK ' || v_code || ' tidak dapat diubah dari '
                                || v_status || ' (' || coalesce(FunSPKStatusDesc(v_status), '') || ') ke '
                                || v_new || '.');
        RETURN;
    END IF;
    UPDATE mstProjectSPK s
    SET StatusID = v_new,
        StatusDesc = FunSPKStatusDesc(v_new),
        ModifyBy = left(procProjectSPKMandorSetStatus.EntryBy, 100),
        ModifyFrom = left(procProjectSPKMandorSetStatus.EntryFrom, 100),
        ModifyTime = localtimestamp
    WHERE s.SPKCode = v_code;
    Hasil := FunHasil('00', 'SPK ' || v_code || ': ' || FunSPKStatusDesc(v_new));
END;
$$;
COMMENT ON FUNCTION procProjectSPKMandorSetStatus(varchar, integer, varchar, varchar) IS
    'Status change by the approving office: approve 11 -> 2; terminate 11 or 2 -> 5; cancel 1, 11 or 2 -> 3. StatusDesc follows FunSPKStatusDesc; ModifyBy/ModifyFrom/ModifyTime are set. Refuses with nothing changed: unknown target status (20), not found (08), transition not allowed (21).';

CREATE OR REPLACE FUNCTION procProjectSPKMandorViewR2(
    ProjectID integer,
    PeriodBegin timestamp,
    PeriodEnd timestamp)
RETURNS SETOF typProjectSPKMandorView
LANGUAGE sql
STABLE
SECURITY DEFINER
SET search_path = public
AS $$
    WITH prm AS (
        SELECT procProjectSPKMandorViewR2.ProjectID AS ProjectID,
               CAST(procProjectSPKMandorViewR2.PeriodBegin AS date) AS DayFirst,
               CAST(procProjectSPKMandorViewR2.PeriodEnd AS date) + 1 AS DayAfter
    ),
    sel AS (
        SELECT s.*
        FROM mstProjectSPK s, prm
        WHERE s.ProjectID = prm.ProjectID
          AND s.SPKDate >= prm.DayFirst
          AND s.SPKDate < prm.DayAfter
    ),
    paid AS (
        SELECT pd.SPKCode, pd.SPKDIndex, sum(pd.PaymentQuantity) AS Quantity
        FROM mstProjectSPKPaymentDetail pd
        JOIN mstProjectSPKPayment pay
          ON pay.SPKCode = pd.SPKCode AND pay.PaymentIndex = pd.PaymentIndex
        WHERE pay.StatusID <> 3
          AND pd.SPKCode IN (SELECT sel.SPKCode FROM sel)
        GROUP BY pd.SPKCode, pd.SPKDIndex
    )
    SELECT CAST(s.SPKCode AS varchar(100)),
           s.SPKDate,
           s.ProjectID,
           p.ProjectCode,
           p.ProjectName,
           p.ProjectYear,
           p.City,
           p.Province,
           CAST(pm.ContactName AS varchar(100)),
           CAST(po.CompanyName AS varchar(100)),
           s.CompanyID,
           CAST(c.CompanyName AS varchar(100)),
           CAST(c.CompanyFixedPhone AS varchar(100)),
           CAST(s.SPKRetensionPercentage AS numeric(24, 8)),
           CAST(s.SPKPPhPercentage AS numeric(24, 8)),
           CAST(s.SPKTotalAmount AS numeric(32, 6)),
           CAST(s.SPKDesc3 AS varchar(512)),
           s.StatusID,
           s.StatusDesc,
           d.SPKDIndex,
           d.RAP2ID,
           r2.CoaID,
           CAST(co.CategoryName AS varchar(100)),
           CAST(co.CategorySubName AS varchar(100)),
           co.CoaFullName,
           co.CoaCode,
           co.CoaName,
           r2.RAPIndex,
           r.RAPDesc,
           r.RAPLocation,
           r2.RAP2Index,
           r2.RAP2Desc,
           d.SPKDWorkDesc,
           d.MeasurementID,
           m.MeasurementCode,
           CAST(d.SPKDQuantity AS numeric(24, 8)),
           CAST(d.SPKDPriceAmount AS numeric(24, 8)),
           CAST(d.SPKDQuantity * d.SPKDPriceAmount AS numeric(32, 6)),
           d.SPKDDesc,
           CAST(coalesce(paid.Quantity, 0) AS numeric(32, 8)),
           CAST(coalesce(paid.Quantity * d.SPKDPriceAmount, 0) AS numeric(32, 6)),
           CAST(CASE WHEN coalesce(d.SPKDQuantity, 0) = 0 THEN 0
                     ELSE coalesce(paid.Quantity, 0) / d.SPKDQuantity * 100
                END AS numeric(32, 6)),
           s.SPKPPn
    FROM sel s
    JOIN mstProject p ON p.ProjectID = s.ProjectID
    LEFT JOIN mstCompany po ON po.CompanyID = p.ProjectOwnerID
    LEFT JOIN mstCompany c ON c.CompanyID = s.CompanyID
    LEFT JOIN LATERAL (
        SELECT ct.ContactName
        FROM mstProjectTeam pt
        JOIN prefJobTitle j ON j.JobTitleID = pt.JobTitleID
        JOIN mstEmployee e ON e.EmployeeID = pt.EmployeeID
        JOIN mstContact ct ON ct.ContactID = e.ContactID
        WHERE pt.ProjectID = s.ProjectID
          AND pt.StatusID = 7
          AND j.JobTitleName = 'Project Manager'
        ORDER BY pt.PeriodStart DESC NULLS LAST, ct.ContactName
        LIMIT 1) pm ON true
    LEFT JOIN mstProjectSPKDetail d ON d.SPKCode = s.SPKCode
    LEFT JOIN mstProjectRAP2 r2 ON r2.RAP2ID = d.RAP2ID
    LEFT JOIN mstProjectRAP r
      ON r.ProjectID = r2.ProjectID AND r.CoaID = r2.CoaID AND r.RAPIndex = r2.RAPIndex
    LEFT JOIN vwCOA co ON co.CoaID = r2.CoaID
    LEFT JOIN prefMeasurement m ON m.MeasurementID = d.MeasurementID
    LEFT JOIN paid ON paid.SPKCode = d.SPKCode AND paid.SPKDIndex = d.SPKDIndex
    ORDER BY c.CompanyName, s.SPKCode, d.SPKDIndex;
$$;
COMMENT ON FUNCTION procProjectSPKMandorViewR2(integer, timestamp, timestamp) IS
    'Work-order register: one row per line of the work orders of ProjectID whose SPKDate (date part) lies between PeriodBegin and PeriodEnd, both days included, with the header repeated; a work order without lines gives one row with empty line columns. Category/CategorySub are the account''s category and sub-category names; ProjectManager is one active (status 7) team member titled "Project Manager"; Realisasi* are the volume paid against the line (payments not cancelled), that volume x the line price, and its percentage of the line volume (0 when the line volume is 0), never null. Ordered by foreman, number, line.';
