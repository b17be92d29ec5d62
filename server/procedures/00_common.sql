-- Small helpers shared by the procedure files. Safe to re-run.

CREATE OR REPLACE FUNCTION FunHasil(Code varchar, Message varchar)
RETURNS varchar(255)
LANGUAGE sql IMMUTABLE
SET search_path = public
AS $$
    SELECT CAST(left(coalesce(Code, '99'), 2) || '- ' || coalesce(Message, '') AS varchar(255));
$$;
COMMENT ON FUNCTION FunHasil(varchar, varchar) IS
    'Builds a result text "CC- message" from a two-character code ("00" = success) and a message; cut to 255 characters.';

CREATE OR REPLACE FUNCTION FunStatusName(StatusID integer)
RETURNS varchar(100)
LANGUAGE sql STABLE
SET search_path = public
AS $$
    SELECT s.StatusName FROM prefStatus s WHERE s.StatusID = FunStatusName.StatusID;
$$;
COMMENT ON FUNCTION FunStatusName(integer) IS
    'Name of a status from prefStatus; null for an unknown status.';

CREATE OR REPLACE FUNCTION FunStatusDesc(StatusID integer)
RETURNS varchar(255)
LANGUAGE sql STABLE
SET search_path = public
AS $$
    SELECT s.StatusDesc FROM prefStatus s WHERE s.StatusID = FunStatusDesc.StatusID;
$$;
COMMENT ON FUNCTION FunStatusDesc(integer) IS
    'Description of a status from prefStatus; null for an unknown status.';

CREATE OR REPLACE FUNCTION FunSetting(SettingKey varchar)
RETURNS varchar(255)
LANGUAGE sql STABLE
SET search_path = public
AS $$
    SELECT s.SettingValue FROM admSetting s WHERE s.SettingKey = FunSetting.SettingKey;
$$;
COMMENT ON FUNCTION FunSetting(varchar) IS
    'Value of an admSetting entry as text; null when the key is missing.';

CREATE OR REPLACE FUNCTION FunSettingNumeric(SettingKey varchar, DefaultValue numeric DEFAULT NULL)
RETURNS numeric
LANGUAGE plpgsql STABLE
SET search_path = public
AS $$
DECLARE
    v_text varchar(255);
BEGIN
    SELECT s.SettingValue INTO v_text
    FROM admSetting s
    WHERE s.SettingKey = FunSettingNumeric.SettingKey;
    IF v_text IS NULL OR btrim(v_text) !~ '^-?[0-9]+(\.[0-9]+)?$' THEN
        RETURN FunSettingNumeric.DefaultValue;
    END IF;
    RETURN CAST(btrim(v_text) AS numeric);
END;
$$;
COMMENT ON FUNCTION FunSettingNumeric(varchar, numeric) IS
    'Value of an admSetting entry as a number (e.g. PPnPercentage); DefaultValue when the key is missing or not a plain decimal number.';

CREATE OR REPLACE FUNCTION FunDepartmentID(DepartmentSymbol varchar)
RETURNS integer
LANGUAGE sql STABLE
SET search_path = public
AS $$
    SELECT d.DepartmentID FROM mstDepartment d
    WHERE d.DepartmentSymbol = FunDepartmentID.DepartmentSymbol;
$$;
COMMENT ON FUNCTION FunDepartmentID(varchar) IS
    'Department of a department symbol (the department code the client sends, e.g. ''00''); null when unknown.';
