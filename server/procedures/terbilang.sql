-- Amounts in Indonesian words. Safe to re-run.

-- Words of 0 < n < 1000 ("seratus dua belas").
CREATE OR REPLACE FUNCTION FunTerbilangHundreds(Amount integer)
RETURNS varchar
LANGUAGE plpgsql IMMUTABLE STRICT
SET search_path = public
AS $$
DECLARE
    c_digits CONSTANT varchar[] := ARRAY['satu', 'dua', 'tiga', 'empat', 'lima',
                                         'enam', 'tujuh', 'delapan', 'sembilan'];
    v_hundreds integer := Amount / 100;
    v_rest integer := Amount % 100;
    v_words varchar := '';
BEGIN
    IF Amount < 0 OR Amount > 999 THEN
        RAISE EXCEPTION 'FunTerbilangHundreds: % is outside 0..999', Amount;
    END IF;
    IF v_hundreds = 1 THEN
        v_words := 'seratus';
    ELSIF v_hundreds > 1 THEN
        v_words := c_digits[v_hundreds] || ' ratus';
    END IF;
    IF v_rest > 0 THEN
        IF v_words <> '' THEN
            v_words := v_words || ' ';
        END IF;
        IF v_rest < 10 THEN
            v_words := v_words || c_digits[v_rest];
        ELSIF v_rest = 10 THEN
            v_words := v_words || 'sepuluh';
        ELSIF v_rest = 11 THEN
            v_words := v_words || 'sebelas';
        ELSIF v_rest < 20 THEN
            v_words := v_words || c_digits[v_rest - 10] || ' belas';
        ELSE
            v_words := v_words || c_digits[v_rest / 10] || ' puluh';
            IF v_rest % 10 > 0 THEN
                v_words := v_words || ' ' || c_digits[v_rest % 10];
            END IF;
        END IF;
    END IF;
    RETURN v_words;
END;
$$;
COMMENT ON FUNCTION FunTerbilangHundreds(integer) IS
    'Indonesian words of a whole number from 0 to 999 (empty text for 0); raises an error outside that range. Building block of FunTerbilangReal.';

-- Words of a whole number below one trillion given as up to 12 digits.
CREATE OR REPLACE FUNCTION FunTerbilangBelowTrillion(Digits varchar)
RETURNS varchar
LANGUAGE plpgsql IMMUTABLE STRICT
SET search_path = public
AS $$
DECLARE
    c_scales CONSTANT varchar[] := ARRAY['milyar', 'juta', 'ribu', ''];
    v_padded varchar;
    v_group integer;
    v_words varchar := '';
    v_part varchar;
BEGIN
    IF Digits !~ '^[0-9]{1,12}$' THEN
        RAISE EXCEPTION 'FunTerbilangBelowTrillion: "%" is not 1 to 12 digits', Digits;
    END IF;
    v_padded := lpad(Digits, 12, '0');
    FOR i IN 1..4 LOOP
        v_group := CAST(substr(v_padded, i * 3 - 2, 3) AS integer);
        CONTINUE WHEN v_group = 0;
        IF i = 3 AND v_group = 1 THEN
            v_part := 'seribu';
        ELSE
            v_part := FunTerbilangHundreds(v_group);
            IF c_scales[i] <> '' THEN
                v_part := v_part || ' ' || c_scales[i];
            END IF;
        END IF;
        v_words := CASE WHEN v_words = '' THEN v_part ELSE v_words || ' ' || v_part END;
    END LOOP;
    RETURN v_words;
END;
$$;
COMMENT ON FUNCTION FunTerbilangBelowTrillion(varchar) IS
    'Indonesian words of a whole number below one trillion given as 1 to 12 digits (empty text for zero); raises an error for anything else. Building block of FunTerbilangReal.';

CREATE OR REPLACE FUNCTION FunTerbilangReal(Amount numeric)
RETURNS varchar(255)
LANGUAGE plpgsql IMMUTABLE
SET search_path = public
AS $$
DECLARE
    c_max CONSTANT integer := 255;
    c_digits CONSTANT varchar[] := ARRAY['nol', 'satu', 'dua', 'tiga', 'empat', 'lima',
                                         'enam', 'tujuh', 'delapan', 'sembilan'];
    v_text varchar;
    v_int varchar;
    v_frac varchar;
    v_first integer;
    v_pos integer;
    v_chunk varchar;
    v_words varchar := '';
    v_cut integer;
BEGIN
    IF Amount IS NULL OR Amount IN ('NaN'::numeric, 'Infinity'::numeric, '-Infinity'::numeric) THEN
        RETURN NULL;
    END IF;

    -- Plain digits of the absolute value: "1234.5600" -> "1234" and "56".
    v_text := CAST(abs(Amount) AS text);
    v_int := split_part(v_text, '.', 1);
    v_frac := rtrim(split_part(v_text, '.', 2), '0');
    v_int := ltrim(v_int, '0');

    IF v_int = '' THEN
        v_words := 'nol';
    ELSE
        -- Chunks of 12 digits from the left: each further chunk multiplies what
        -- came before by one trillion ("seribu triliun", "satu triliun triliun").
        v_first := length(v_int) % 12;
        IF v_first = 0 THEN
            v_first := 12;
        END IF;
        v_words := FunTerbilangBelowTrillion(substr(v_int, 1, v_first));
        v_pos := v_first + 1;
        WHILE v_pos <= length(v_int) AND length(v_words) <= c_max LOOP
            v_words := v_words || ' triliun';
            v_chunk := FunTerbilangBelowTrillion(substr(v_int, v_pos, 12));
            IF v_chunk <> '' THEN
                v_words := v_words || ' ' || v_chunk;
            END IF;
            v_pos := v_pos + 12;
        END LOOP;
    END IF;

    IF v_frac <> '' AND length(v_words) <= c_max THEN
        v_words := v_words || ' koma';
        v_pos := 1;
        WHILE v_pos <= length(v_frac) AND length(v_words) <= c_max LOOP
            v_words := v_words || ' ' || c_digits[CAST(substr(v_frac, v_pos, 1) AS integer) + 1];
            v_pos := v_pos + 1;
        END LOOP;
    END IF;

    IF Amount < 0 THEN
        v_words := 'minus ' || v_words;
    END IF;

    -- Too long: keep whole words only.
    IF length(v_words) > c_max THEN
        v_cut := c_max + 1;
        WHILE v_cut > 0 AND substr(v_words, v_cut, 1) <> ' ' LOOP
            v_cut := v_cut - 1;
        END LOOP;
        IF v_cut > 1 THEN
            v_words := rtrim(left(v_words, v_cut - 1));
        ELSE
            v_words := left(v_words, c_max);
        END IF;
    END IF;
    RETURN v_words;
END;
$$;
COMMENT ON FUNCTION FunTerbilangReal(numeric) IS
    'Amount in Indonesian words, lower case, single spaces, no currency: "nol", "seribu dua ratus", "minus lima belas", decimals as "koma" and one word per digit with trailing zeros dropped ("dua belas koma dua lima"). Text of at most 255 characters, cut after a whole word. Null for null, NaN or infinity.';
