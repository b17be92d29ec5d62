-- Session and shell procedures. Safe to re-run.

CREATE OR REPLACE FUNCTION procChangePassword(
    EntryFrom varchar,
    EntryBy varchar,
    UserCode varchar,
    UserPassword varchar,
    UserpasswordNew varchar,
    OUT Hasil varchar)
LANGUAGE plpgsql
SECURITY DEFINER
SET search_path = public
AS $$
DECLARE
    v_userID integer;
    v_maxLength integer;
BEGIN
    IF coalesce(procChangePassword.UserpasswordNew, '') = '' THEN
        Hasil := FunHasil('03', 'Password baru belum diisi.');
        RETURN;
    END IF;

    SELECT a.atttypmod - 4 INTO v_maxLength
    FROM pg_attribute a
    WHERE a.attrelid = 'public.admuser'::regclass AND a.attname = 'userpassword';
    IF v_maxLength > 0 AND length(procChangePassword.UserpasswordNew) > v_maxLength THEN
        Hasil := FunHasil('02', 'Password baru terlalu panjang.');
        RETURN;
    END IF;

    SELECT u.UserID INTO v_userID
    FROM admUser u
    WHERE u.UserCode = procChangePassword.UserCode
      AND u.UserPassword = procChangePassword.UserPassword
      AND u.IsActive
    FOR UPDATE;
    IF v_userID IS NULL THEN
        Hasil := FunHasil('01', 'Password lama tidak sesuai.');
        RETURN;
    END IF;

    UPDATE admUser u
    SET UserPassword = procChangePassword.UserpasswordNew,
        ModifyBy = left(procChangePassword.EntryBy, 100),
        ModifyFrom = left(procChangePassword.EntryFrom, 100),
        ModifyTime = localtimestamp
    WHERE u.UserID = v_userID;

    Hasil := FunHasil('00', 'Password telah berhasil diubah.');
END;
$$;
COMMENT ON FUNCTION procChangePassword(varchar, varchar, varchar, varchar, varchar) IS
    'Changes the password of an active user. UserPassword and UserpasswordNew are scrambled texts. When UserPassword matches the stored one, stores UserpasswordNew with ModifyBy/ModifyFrom/ModifyTime and answers "00- Password telah berhasil diubah."; otherwise changes nothing and answers "01- Password lama tidak sesuai.", "02- Password baru terlalu panjang." (longer than admUser.UserPassword) or "03- Password baru belum diisi.".';
