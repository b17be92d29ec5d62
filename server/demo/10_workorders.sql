-- Demo data for the work-order module: staff of company 1, project owners,
-- foremen's firms with their contact persons, two active projects with their
-- teams, the budget of an office building, and work orders in every status of
-- the entry road (1, 11, 2) plus a cancelled one (3), dated this week and
-- earlier. Loaded once on a fresh database, after 00_*.sql.

-- ---------------------------------------------------------------- cost accounts

INSERT INTO prefCOA (CoaCode, CoaName, CoaParentID, CoaLevel)
SELECT v.code, v.name, NULL, 1
FROM (VALUES ('1', 'PEKERJAAN PERSIAPAN'),
             ('2', 'PEKERJAAN STRUKTUR'),
             ('3', 'PEKERJAAN ARSITEKTUR')) AS v(code, name)
ON CONFLICT (CoaCode) DO NOTHING;

INSERT INTO prefCOA (CoaCode, CoaName, CoaParentID, CoaLevel)
SELECT v.code, v.name, (SELECT c.CoaID FROM prefCOA c WHERE c.CoaCode = v.parent), 2
FROM (VALUES ('1.1', 'Pekerjaan Pendahuluan', '1'),
             ('2.1', 'Pekerjaan Tanah', '2'),
             ('2.2', 'Pekerjaan Beton Bertulang', '2'),
             ('3.1', 'Pekerjaan Dinding', '3'),
             ('3.2', 'Pekerjaan Lantai', '3'),
             ('3.3', 'Pekerjaan Plafond', '3')) AS v(code, name, parent)
ON CONFLICT (CoaCode) DO NOTHING;

INSERT INTO prefCOA (CoaCode, CoaName, CoaParentID, CoaLevel)
SELECT v.code, v.name, (SELECT c.CoaID FROM prefCOA c WHERE c.CoaCode = v.parent), 3
FROM (VALUES ('1.1.01', 'Pembersihan Lahan', '1.1'),
             ('1.1.02', 'Direksi Keet dan Gudang', '1.1'),
             ('1.1.03', 'Pengukuran dan Bouwplank', '1.1'),
             ('2.1.01', 'Galian Tanah Pondasi', '2.1'),
             ('2.1.02', 'Urugan Pasir Bawah Pondasi', '2.1'),
             ('2.2.01', 'Pondasi Footplat', '2.2'),
             ('2.2.02', 'Kolom Beton', '2.2'),
             ('2.2.03', 'Balok dan Plat Lantai', '2.2'),
             ('3.1.01', 'Pasangan Bata Ringan', '3.1'),
             ('3.1.02', 'Plesteran dan Acian', '3.1'),
             ('3.2.01', 'Lantai Keramik', '3.2'),
             ('3.3.01', 'Plafond Gypsum', '3.3')) AS v(code, name, parent)
ON CONFLICT (CoaCode) DO NOTHING;

-- ---------------------------------------------------------------- elements

INSERT INTO mstElement (ElementType, ElementCode, ElementName, MeasurementID, EntryBy, EntryFrom)
SELECT v.t, v.code, v.name, (SELECT m.MeasurementID FROM prefMeasurement m WHERE m.MeasurementCode = v.unit),
       'demo', 'install'
FROM (VALUES ('01', 'MAT-SEMEN', 'Semen Portland 50 kg', 'ZAK'),
             ('01', 'MAT-PASIR', 'Pasir Beton', 'M3'),
             ('01', 'MAT-BESI', 'Besi Beton Ulir', 'KG'),
             ('01', 'MAT-READYMIX', 'Beton Ready Mix K-300', 'M3'),
             ('01', 'MAT-BATA', 'Bata Ringan 10 cm', 'M2'),
             ('01', 'MAT-KERAMIK', 'Keramik 60x60', 'M2'),
             ('01', 'MAT-GYPSUM', 'Gypsum Board 9 mm', 'LBR'),
             ('01', 'MAT-KAYU', 'Kayu Bekisting', 'M3'),
             ('02', 'UPH-BERSIH', 'Upah Pembersihan Lahan', 'LS'),
             ('02', 'UPH-KEET', 'Upah Pembuatan Direksi Keet', 'M2'),
             ('02', 'UPH-UKUR', 'Upah Pengukuran dan Bouwplank', 'M1'),
             ('02', 'UPH-GALI', 'Upah Galian Tanah', 'M3'),
             ('02', 'UPH-URUG', 'Upah Urugan Pasir', 'M3'),
             ('02', 'UPH-BESI', 'Upah Pembesian', 'KG'),
             ('02', 'UPH-BEKISTING', 'Upah Bekisting', 'M2'),
             ('02', 'UPH-COR', 'Upah Pengecoran', 'M3'),
             ('02', 'UPH-BATA', 'Upah Pasangan Bata Ringan', 'M2'),
             ('02', 'UPH-PLESTER', 'Upah Plesteran dan Acian', 'M2'),
             ('02', 'UPH-KERAMIK', 'Upah Pasang Keramik', 'M2'),
             ('02', 'UPH-PLAFOND', 'Upah Pasang Plafond', 'M2')) AS v(t, code, name, unit)
ON CONFLICT (ElementCode) DO NOTHING;

-- ---------------------------------------------------------------- people, firms, projects, budget, work orders

DO $demo$
DECLARE
    v_contact integer;
    v_company integer;
    v_pm integer;
    v_pd integer;
    v_employee integer;
    v_pm2 integer;
    v_owner1 integer;
    v_owner2 integer;
    v_project1 integer;
    v_project2 integer;
    v_firm integer[] := '{}';
    v_week date := CAST(date_trunc('week', current_date) AS date);
    v_hasil varchar;
    r record;
    v_spk record;
BEGIN
    -- Staff of company 1.
    FOR r IN SELECT * FROM (VALUES
            ('3174011203780001', 'Budi Santoso', 'Jakarta', DATE '1978-03-12', 1, 'Project Manager', '021-7654321', '0812-8800-1122', 'budi.santoso@kalveo.co.id'),
            ('3174020507700002', 'Hendra Wijaya', 'Bandung', DATE '1970-07-05', 1, 'Project Director', '021-7654322', '0811-9000-2233', 'hendra.wijaya@kalveo.co.id'),
            ('3174031111650003', 'Agus Salim', 'Surabaya', DATE '1965-11-11', 1, 'GM. Construction', '021-7654300', '0811-1000-3344', 'agus.salim@kalveo.co.id'),
            ('3275042208820004', 'Rina Kartika', 'Bekasi', DATE '1982-08-22', 2, 'Project Manager', '021-7654323', '0813-1700-4455', 'rina.kartika@kalveo.co.id'),
            ('3174051909900005', 'Dedi Kurniawan', 'Bogor', DATE '1990-09-19', 1, 'Site Engineer', '021-7654324', '0857-1100-5566', 'dedi.kurniawan@kalveo.co.id'))
        AS t(code, name, pob, dob, gender, title, phone, mobile, email)
    LOOP
        INSERT INTO mstContact (ContactCode, ContactTypeID, ContactName, ContactPOB, ContactDOB, ReligionID,
                                GenderID, MaritalID, ContactAddress1, ContactCity, ContactProvince,
                                ContactCountry, ContactPhoneBusiness, ContactPhoneMobile, ContactEmail,
                                EntryBy, EntryFrom)
        VALUES (r.code, 1, r.name, r.pob, r.dob, 1, r.gender, 2, 'Jl. Kebon Jeruk Raya No. 27', 'Jakarta Barat',
                'DKI Jakarta', 'Indonesia', r.phone, r.mobile, r.email, 'demo', 'install')
        RETURNING ContactID INTO v_contact;
        INSERT INTO mstEmployee (CompanyID, ContactID, JobTitleID, DepartmentID, GradeID, EmployeeCode,
                                 EmployeeJoinDate, EmployeeTypeID, EntryBy, EntryFrom)
        VALUES (1, v_contact, (SELECT j.JobTitleID FROM prefJobTitle j WHERE j.JobTitleName = r.title), 1, 3,
                'KLV-' || right(r.code, 4), DATE '2010-01-04', 1, 'demo', 'install')
        RETURNING EmployeeID INTO v_employee;
        IF r.name = 'Budi Santoso' THEN v_pm := v_employee; END IF;
        IF r.name = 'Hendra Wijaya' THEN v_pd := v_employee; END IF;
        IF r.name = 'Rina Kartika' THEN v_pm2 := v_employee; END IF;
    END LOOP;

    -- Project owners.
    INSERT INTO mstCompany (CompanyName, CompanyTypeID, CoreBusinessID, CompanyFixedPhone, CompanyAddress1,
                            CompanyCity, CompanyProvince, CompanyCountry, EntryBy, EntryFrom)
    VALUES ('PT. GRAHA SEJAHTERA PROPERTINDO', 1, 6, '021-5201122', 'Jl. Jend. Sudirman Kav. 52',
            'Jakarta Selatan', 'DKI Jakarta', 'Indonesia', 'demo', 'install')
    RETURNING CompanyID INTO v_owner1;
    INSERT INTO mstCompany (CompanyName, CompanyTypeID, CoreBusinessID, CompanyFixedPhone, CompanyAddress1,
                            CompanyCity, CompanyProvince, CompanyCountry, EntryBy, EntryFrom)
    VALUES ('PT. MITRA HUNIAN NUSANTARA', 1, 6, '021-8845566', 'Jl. Ahmad Yani No. 8',
            'Bekasi', 'Jawa Barat', 'Indonesia', 'demo', 'install')
    RETURNING CompanyID INTO v_owner2;

    -- Foremen's firms, each with its owner (Direktur) and foreman (Mandor).
    FOR r IN SELECT * FROM (VALUES
            (1, 'CV. KARYA MANDIRI', 2, '021-7301188', 'Depok', 'Jawa Barat', 'BRI', '0341-01-000123-50-1',
             'Slamet Riyadi', 'Sutarno'),
            (2, 'UD. SUMBER REJEKI', 3, '021-8860012', 'Bekasi', 'Jawa Barat', 'BCA', '5270-112-233',
             'Joko Susilo', 'Paimin'),
            (3, 'CV. BANGUN JAYA ABADI', 2, '021-5581234', 'Tangerang', 'Banten', 'Mandiri', '155-00-1234567-8',
             'Wahyu Hidayat', 'Karyono'),
            (4, 'MANDOR SUTRISNO', 5, '0813-1555-7788', 'Jakarta Timur', 'DKI Jakarta', 'BNI', '0223344556',
             'Sutrisno', NULL))
        AS t(n, name, ctype, phone, city, province, bank, account, owner, foreman)
    LOOP
        INSERT INTO mstCompany (CompanyName, CompanyTypeID, CoreBusinessID, CompanyNPWP, CompanyFixedPhone,
                                CompanyAddress1, CompanyCity, CompanyProvince, CompanyCountry,
                                CompanyBankName, CompanyBankAccountNo, CompanyBankAccountName,
                                EntryBy, EntryFrom)
        VALUES (r.name, r.ctype, 2, '01.234.567.' || r.n || '-015.000', r.phone,
                'Jl. Raya Mandor No. ' || (10 + r.n), r.city, r.province, 'Indonesia',
                r.bank, r.account, r.owner, 'demo', 'install')
        RETURNING CompanyID INTO v_company;
        v_firm := v_firm || v_company;

        INSERT INTO mstContact (ContactCode, ContactTypeID, ContactName, ContactPOB, ReligionID, GenderID,
                                ContactCity, ContactProvince, ContactCountry, ContactPhoneBusiness,
                                ContactPhoneMobile, EntryBy, EntryFrom)
        VALUES ('32750' || r.n || '0101750001', 1, r.owner, r.city, 1, 1, r.city, r.province, 'Indonesia',
                r.phone, '0812-' || (3300 + r.n) || '-' || (4400 + r.n), 'demo', 'install')
        RETURNING ContactID INTO v_contact;
        INSERT INTO mstEmployee (CompanyID, ContactID, JobTitleID, EntryBy, EntryFrom)
        VALUES (v_company, v_contact,
                (SELECT j.JobTitleID FROM prefJobTitle j
                 WHERE j.JobTitleName = CASE WHEN r.foreman IS NULL THEN 'Mandor' ELSE 'Direktur' END),
                'demo', 'install');

        IF r.foreman IS NOT NULL THEN
            INSERT INTO mstContact (ContactCode, ContactTypeID, ContactName, ContactPOB, ReligionID, GenderID,
                                    ContactCity, ContactProvince, ContactCountry, ContactPhoneMobile,
                                    EntryBy, EntryFrom)
            VALUES ('32760' || r.n || '0202800002', 1, r.foreman, r.city, 1, 1, r.city, r.province,
                    'Indonesia', '0857-' || (5500 + r.n) || '-' || (6600 + r.n), 'demo', 'install')
            RETURNING ContactID INTO v_contact;
            INSERT INTO mstEmployee (CompanyID, ContactID, JobTitleID, EntryBy, EntryFrom)
            VALUES (v_company, v_contact, (SELECT j.JobTitleID FROM prefJobTitle j WHERE j.JobTitleName = 'Mandor'),
                    'demo', 'install');
        END IF;
    END LOOP;

    -- Two active projects with their teams.
    INSERT INTO mstProject (ProjectCode, ProjectName, ProjectInitialName, Company, ProjectOwnerID, ProjectTypeID,
                            BuildingTypeID, ContractTypeID, BeginDate, EndDate, Duration, DefectPeriod,
                            Address1, City, Province, Country, zipCode, Telp, LandArea, BuildingArea,
                            BasementFloor, UpGroundFloor, StatusID, StatusDesc, IsValidateRAP, ProjectModel,
                            EntryBy, EntryFrom)
    VALUES ('PRJ-GSP-01', 'Gedung Kantor Graha Sejahtera 8 Lantai', 'GSP', 'PT. KALVEO KONSTRUKSI', v_owner1,
            1, 1, 1, current_date - 150, current_date + 390, 540, 180,
            'Jl. TB Simatupang Kav. 18', 'Jakarta Selatan', 'DKI Jakarta', 'Indonesia', '12430',
            '021-7800123', 2400, 16800, 1, 8, 2, 'Proyek telah disetujui.', true, 'External',
            'demo', 'install')
    RETURNING ProjectID INTO v_project1;
    INSERT INTO mstProject (ProjectCode, ProjectName, ProjectInitialName, Company, ProjectOwnerID, ProjectTypeID,
                            BuildingTypeID, ContractTypeID, BeginDate, EndDate, Duration, DefectPeriod,
                            Address1, City, Province, Country, zipCode, LandArea, BuildingArea,
                            BasementFloor, UpGroundFloor, StatusID, StatusDesc, IsValidateRAP, ProjectModel,
                            EntryBy, EntryFrom)
    VALUES ('PRJ-MHN-02', 'Apartemen Taman Hunian Tower B', 'THB', 'PT. KALVEO KONSTRUKSI', v_owner2,
            1, 2, 2, current_date - 60, current_date + 600, 660, 365,
            'Jl. KH Noer Ali No. 100', 'Bekasi', 'Jawa Barat', 'Indonesia', '17148',
            3100, 28500, 2, 20, 2, 'Proyek telah disetujui.', true, 'External', 'demo', 'install')
    RETURNING ProjectID INTO v_project2;

    INSERT INTO mstProjectTeam (ProjectID, EmployeeID, JobTitleID, StatusID, PeriodStart, EntryBy, EntryFrom)
    SELECT t.project, t.employee, (SELECT j.JobTitleID FROM prefJobTitle j WHERE j.JobTitleName = t.title), 7,
           current_date - 150, 'demo', 'install'
    FROM (VALUES (v_project1, v_pm, 'Project Manager'),
                 (v_project1, v_pd, 'Project Director'),
                 (v_project2, v_pm2, 'Project Manager'),
                 (v_project2, v_pd, 'Project Director')) AS t(project, employee, title);

    INSERT INTO mstProjectContract (ProjectID, ContractCode, ContractDate, ContractDesc, ContractAmount,
                                    EntryBy, EntryFrom)
    VALUES (v_project1, 'KTR/GSP/001', current_date - 160, 'Kontrak pekerjaan struktur dan arsitektur',
            28750000000, 'demo', 'install'),
           (v_project1, 'KTR/GSP/001-A1', current_date - 20, 'Addendum 1: pekerjaan tambah lantai atap',
            1250000000, 'demo', 'install'),
           (v_project2, 'KTR/MHN/001', current_date - 70, 'Kontrak pekerjaan struktur Tower B',
            41500000000, 'demo', 'install');

    -- Budget groups: one per account and location.
    INSERT INTO mstProjectRAP (ProjectID, CoaID, RAPIndex, RAPDesc, RAPLocation, EntryBy, EntryFrom)
    SELECT v_project1, c.CoaID, g.idx, g.descr, g.loc, 'demo', 'install'
    FROM (VALUES ('1.1.01', 1, 'Pembersihan dan perataan lahan', 'Seluruh Area'),
                 ('1.1.02', 1, 'Direksi keet, gudang dan los kerja', 'Area Kerja'),
                 ('1.1.03', 1, 'Pengukuran, uitzet dan bouwplank', 'Seluruh Area'),
                 ('2.1.01', 1, 'Galian tanah pondasi footplat', 'Basement'),
                 ('2.1.02', 1, 'Urugan pasir bawah pondasi t=10 cm', 'Basement'),
                 ('2.2.01', 1, 'Pondasi footplat K-300', 'Basement'),
                 ('2.2.02', 1, 'Kolom beton K-300', 'Lantai 1-4'),
                 ('2.2.02', 2, 'Kolom beton K-300', 'Lantai 5-8'),
                 ('2.2.03', 1, 'Balok dan plat lantai K-300', 'Lantai 1-4'),
                 ('2.2.03', 2, 'Balok dan plat lantai K-300', 'Lantai 5-8'),
                 ('3.1.01', 1, 'Dinding bata ringan t=10 cm', 'Lantai 1-8'),
                 ('3.1.02', 1, 'Plesteran dan acian dinding', 'Lantai 1-8'),
                 ('3.2.01', 1, 'Lantai keramik 60x60', 'Lantai 1-8'),
                 ('3.3.01', 1, 'Plafond gypsum rangka hollow', 'Lantai 1-8')) AS g(coa, idx, descr, loc)
    JOIN prefCOA c ON c.CoaCode = g.coa;

    -- Budget lines: labour ('02') and material ('01'); validation flags vary,
    -- one labour line on the lump-sum unit and one without element.
    INSERT INTO mstProjectRAP2 (ProjectID, CoaID, RAPIndex, RAP2Index, RAP2Desc, ElementID, MeasurementID,
                                RAPQuantity, RAPPriceAmount, RAPTotalAmount, IsValidateType, RAPModel,
                                EntryBy, EntryFrom)
    SELECT v_project1, c.CoaID, l.idx, l.idx2, l.descr, e.ElementID, m.MeasurementID, l.qty, l.price,
           round(l.qty * l.price, 2), l.flags, l.model, 'demo', 'install'
    FROM (VALUES
            ('1.1.01', 1, 1, 'Upah pembersihan lahan', 'UPH-BERSIH', 'LS', 1.000, 45000000.00, '11', 'Upah'),
            ('1.1.02', 1, 1, 'Upah pembuatan direksi keet', 'UPH-KEET', 'M2', 120.000, 185000.00, '10', 'Upah'),
            ('1.1.02', 1, 2, 'Kayu dan multiplek direksi keet', 'MAT-KAYU', 'M3', 8.000, 4500000.00, '11', 'Material'),
            ('1.1.03', 1, 1, 'Upah pengukuran dan bouwplank', NULL, 'M1', 640.000, 35000.00, '00', 'Upah'),
            ('2.1.01', 1, 1, 'Upah galian tanah pondasi', 'UPH-GALI', 'M3', 850.000, 95000.00, '11', 'Upah'),
            ('2.1.02', 1, 1, 'Upah urugan pasir', 'UPH-URUG', 'M3', 120.000, 65000.00, '10', 'Upah'),
            ('2.1.02', 1, 2, 'Pasir urug', 'MAT-PASIR', 'M3', 132.000, 285000.00, '11', 'Material'),
            ('2.2.01', 1, 1, 'Upah pembesian pondasi', 'UPH-BESI', 'KG', 42000.000, 2500.00, '11', 'Upah'),
            ('2.2.01', 1, 2, 'Upah bekisting pondasi', 'UPH-BEKISTING', 'M2', 980.000, 85000.00, '01', 'Upah'),
            ('2.2.01', 1, 3, 'Upah pengecoran pondasi', 'UPH-COR', 'M3', 620.000, 120000.00, '11', 'Upah'),
            ('2.2.01', 1, 4, 'Beton ready mix K-300', 'MAT-READYMIX', 'M3', 640.000, 1150000.00, '11', 'Material'),
            ('2.2.01', 1, 5, 'Besi beton ulir', 'MAT-BESI', 'KG', 43500.000, 13500.00, '11', 'Material'),
            ('2.2.02', 1, 1, 'Upah pembesian kolom', 'UPH-BESI', 'KG', 36000.000, 2750.00, '11', 'Upah'),
            ('2.2.02', 1, 2, 'Upah bekisting kolom', 'UPH-BEKISTING', 'M2', 2400.000, 90000.00, '10', 'Upah'),
            ('2.2.02', 1, 3, 'Upah pengecoran kolom', 'UPH-COR', 'M3', 360.000, 125000.00, '00', 'Upah'),
            ('2.2.02', 2, 1, 'Upah pembesian kolom', 'UPH-BESI', 'KG', 30000.000, 2750.00, '11', 'Upah'),
            ('2.2.02', 2, 2, 'Upah bekisting kolom', 'UPH-BEKISTING', 'M2', 2100.000, 90000.00, '10', 'Upah'),
            ('2.2.03', 1, 1, 'Upah pembesian balok dan plat', 'UPH-BESI', 'KG', 98000.000, 2650.00, '11', 'Upah'),
            ('2.2.03', 1, 2, 'Upah bekisting balok dan plat', 'UPH-BEKISTING', 'M2', 8600.000, 87500.00, '11', 'Upah'),
            ('2.2.03', 1, 3, 'Upah pengecoran balok dan plat', 'UPH-COR', 'M3', 1450.000, 115000.00, '01', 'Upah'),
            ('2.2.03', 1, 4, 'Beton ready mix K-300', 'MAT-READYMIX', 'M3', 1500.000, 1150000.00, '11', 'Material'),
            ('2.2.03', 2, 1, 'Upah pembesian balok dan plat', 'UPH-BESI', 'KG', 92000.000, 2650.00, '11', 'Upah'),
            ('3.1.01', 1, 1, 'Upah pasangan bata ringan', 'UPH-BATA', 'M2', 9800.000, 42000.00, '11', 'Upah'),
            ('3.1.01', 1, 2, 'Bata ringan 10 cm', 'MAT-BATA', 'M2', 10300.000, 78000.00, '11', 'Material'),
            ('3.1.02', 1, 1, 'Upah plesteran dan acian', 'UPH-PLESTER', 'M2', 19600.000, 38000.00, '10', 'Upah'),
            ('3.1.02', 1, 2, 'Semen portland', 'MAT-SEMEN', 'ZAK', 4200.000, 68000.00, '11', 'Material'),
            ('3.2.01', 1, 1, 'Upah pasang keramik 60x60', 'UPH-KERAMIK', 'M2', 12400.000, 55000.00, '11', 'Upah'),
            ('3.2.01', 1, 2, 'Keramik 60x60 grade A', 'MAT-KERAMIK', 'M2', 13100.000, 135000.00, '11', 'Material'),
            ('3.3.01', 1, 1, 'Upah pasang plafond gypsum', 'UPH-PLAFOND', 'M2', 11800.000, 48000.00, '00', 'Upah'),
            ('3.3.01', 1, 2, 'Gypsum board 9 mm', 'MAT-GYPSUM', 'LBR', 4100.000, 72000.00, '11', 'Material'))
        AS l(coa, idx, idx2, descr, element, unit, qty, price, flags, model)
    JOIN prefCOA c ON c.CoaCode = l.coa
    JOIN prefMeasurement m ON m.MeasurementCode = l.unit
    LEFT JOIN mstElement e ON e.ElementCode = l.element;

    -- A small budget for the second project.
    INSERT INTO mstProjectRAP (ProjectID, CoaID, RAPIndex, RAPDesc, RAPLocation, EntryBy, EntryFrom)
    SELECT v_project2, c.CoaID, 1, g.descr, g.loc, 'demo', 'install'
    FROM (VALUES ('2.1.01', 'Galian tanah basement', 'Basement 1-2'),
                 ('2.2.02', 'Kolom beton K-350', 'Lantai 1-10')) AS g(coa, descr, loc)
    JOIN prefCOA c ON c.CoaCode = g.coa;
    INSERT INTO mstProjectRAP2 (ProjectID, CoaID, RAPIndex, RAP2Index, RAP2Desc, ElementID, MeasurementID,
                                RAPQuantity, RAPPriceAmount, RAPTotalAmount, IsValidateType, RAPModel,
                                EntryBy, EntryFrom)
    SELECT v_project2, c.CoaID, 1, 1, l.descr, e.ElementID, e.MeasurementID, l.qty, l.price,
           round(l.qty * l.price, 2), '11', 'Upah', 'demo', 'install'
    FROM (VALUES ('2.1.01', 'Upah galian tanah basement', 'UPH-GALI', 6400.000, 98000.00),
                 ('2.2.02', 'Upah pembesian kolom', 'UPH-BESI', 120000.000, 2800.00)) AS l(coa, descr, element, qty, price)
    JOIN prefCOA c ON c.CoaCode = l.coa
    JOIN mstElement e ON e.ElementCode = l.element;

    -- Work orders through the server's own procedures, so totals and statuses
    -- are exactly what a user would get.
    FOR v_spk IN SELECT * FROM (VALUES
            ('SPK/GSP/001', v_project1, 1, v_week - 35, 'Pembersihan lahan dan direksi keet', 2),
            ('SPK/GSP/002', v_project1, 2, v_week - 21, 'Galian dan urugan pondasi', 2),
            ('SPK/GSP/003', v_project1, 1, v_week - 14, 'Pembesian dan bekisting pondasi', 2),
            ('SPK/GSP/004', v_project1, 3, v_week - 7, 'Dibatalkan: mandor mengundurkan diri', 3),
            ('SPK/GSP/005', v_project1, 3, v_week, 'Struktur kolom lantai 1-4', 11),
            ('SPK/GSP/006', v_project1, 1, v_week + 1, 'Pengecoran pondasi', 2),
            ('SPK/GSP/007', v_project1, 4, v_week + 2, 'Balok dan plat lantai 1-4', 1),
            ('SPK/GSP/008', v_project1, 2, v_week + 3, 'Dinding dan plesteran lantai 1-2', 1),
            ('SPK/MHN/001', v_project2, 2, v_week + 1, 'Galian basement tahap 1', 11))
        AS t(code, project, firm, day, note, status)
    LOOP
        SELECT e.Hasil INTO v_hasil
        FROM procProjectSPKMandorEntry('INSERT', 'demo', 'install', v_spk.code, v_spk.code,
                                       CAST(v_spk.day AS timestamp) + time '09:00', v_spk.project,
                                       v_firm[v_spk.firm], 0, 5, 4, v_spk.note) e;
        IF left(v_hasil, 2) <> '00' THEN
            RAISE EXCEPTION 'demo work order %: %', v_spk.code, v_hasil;
        END IF;

        FOR r IN
            SELECT r2.RAP2ID, r2.RAP2Desc || ' (' || rp.RAPLocation || ')' AS descr, r2.MeasurementID,
                   l.qty, round(r2.RAPPriceAmount * l.factor, -2) AS price, l.note
            FROM (VALUES
                    ('SPK/GSP/001', '1.1.01', 1, 1, 1.000, 1.00, 'Termasuk buang puing'),
                    ('SPK/GSP/001', '1.1.02', 1, 1, 120.000, 0.95, NULL),
                    ('SPK/GSP/001', '1.1.03', 1, 1, 640.000, 1.00, NULL),
                    ('SPK/GSP/002', '2.1.01', 1, 1, 600.000, 0.95, 'Tahap 1'),
                    ('SPK/GSP/002', '2.1.02', 1, 1, 100.000, 1.00, NULL),
                    ('SPK/GSP/003', '2.2.01', 1, 1, 25000.000, 1.00, NULL),
                    ('SPK/GSP/003', '2.2.01', 1, 2, 980.000, 0.90, NULL),
                    ('SPK/GSP/004', '2.2.02', 1, 1, 12000.000, 1.00, NULL),
                    ('SPK/GSP/005', '2.2.02', 1, 1, 18000.000, 0.98, 'Kolom K1-K12'),
                    ('SPK/GSP/005', '2.2.02', 1, 2, 1200.000, 1.00, NULL),
                    ('SPK/GSP/005', '2.2.02', 1, 3, 180.000, 1.00, NULL),
                    ('SPK/GSP/006', '2.2.01', 1, 3, 620.000, 0.95, NULL),
                    ('SPK/GSP/007', '2.2.03', 1, 1, 45000.000, 1.00, 'Lantai 1-2'),
                    ('SPK/GSP/007', '2.2.03', 1, 2, 4300.000, 1.00, 'Lantai 1-2'),
                    ('SPK/GSP/007', '2.2.03', 1, 3, 700.000, 1.00, NULL),
                    ('SPK/GSP/008', '3.1.01', 1, 1, 2400.000, 1.00, 'Lantai 1-2'),
                    ('SPK/GSP/008', '3.1.02', 1, 1, 4800.000, 0.95, 'Lantai 1-2'),
                    ('SPK/MHN/001', '2.1.01', 1, 1, 3200.000, 0.97, 'Zona A'))
                AS l(code, coa, idx, idx2, qty, factor, note)
            JOIN prefCOA c ON c.CoaCode = l.coa
            JOIN mstProjectRAP2 r2
              ON r2.ProjectID = v_spk.project AND r2.CoaID = c.CoaID AND r2.RAPIndex = l.idx
             AND r2.RAP2Index = l.idx2
            JOIN mstProjectRAP rp ON rp.ProjectID = r2.ProjectID AND rp.CoaID = r2.CoaID AND rp.RAPIndex = r2.RAPIndex
            WHERE l.code = v_spk.code
            ORDER BY c.CoaCode, l.idx, l.idx2
        LOOP
            SELECT d.Hasil INTO v_hasil
            FROM procProjectSPKMandorDetailEntry('INSERT', v_spk.code, r.RAP2ID, r.descr, r.MeasurementID,
                                                 r.qty, r.price, r.note) d;
            IF left(v_hasil, 2) <> '00' THEN
                RAISE EXCEPTION 'demo line of %: %', v_spk.code, v_hasil;
            END IF;
        END LOOP;

        IF v_spk.status IN (11, 2) THEN
            SELECT s.Hasil INTO v_hasil
            FROM procProjectSPKMandorSubmit('', 'demo', 'install', v_spk.project, v_spk.code) s;
            IF left(v_hasil, 2) <> '00' THEN
                RAISE EXCEPTION 'demo submit of %: %', v_spk.code, v_hasil;
            END IF;
        END IF;
        IF v_spk.status IN (2, 3) THEN
            SELECT s.Hasil INTO v_hasil
            FROM procProjectSPKMandorSetStatus(v_spk.code, v_spk.status, 'Agus Salim', 'kantor-pusat') s;
            IF left(v_hasil, 2) <> '00' THEN
                RAISE EXCEPTION 'demo status of %: %', v_spk.code, v_hasil;
            END IF;
        END IF;
    END LOOP;

END;
$demo$;
