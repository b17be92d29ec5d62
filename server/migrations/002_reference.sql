-- Reference data every installation needs: statuses, units, element types,
-- departments, positions, person lookups, modules, settings, the company's own
-- record and the version record.

INSERT INTO prefStatus (StatusID, StatusCode, StatusName, StatusDesc) VALUES
    (0, 'NEW', 'Belum Dilaporkan', 'Bukti kas belum masuk laporan kas kecil.'),
    (1, 'ENTRY', 'Entry', 'Data masih dalam pengisian.'),
    (2, 'APPROVED', 'Disetujui', 'Data telah disetujui.'),
    (3, 'CANCELLED', 'Dibatalkan', 'Data telah dibatalkan.'),
    (5, 'CLOSED', 'Diputus', 'Data telah diputus atau ditutup.'),
    (7, 'ACTIVE', 'Aktif', 'Aktif.'),
    (8, 'INACTIVE', 'Tidak Aktif', 'Tidak aktif.'),
    (11, 'SUBMITTED', 'Diajukan', 'Data telah diajukan.');

-- Unit 1 is the lump sum: never volume-checked.
INSERT INTO prefMeasurement (MeasurementID, MeasurementCode, MeasurementName, MeasurementDesc)
OVERRIDING SYSTEM VALUE VALUES
    (1, 'LS', 'Lump Sum', 'Satu paket pekerjaan; volume tidak diperiksa.'),
    (2, 'M2', 'Meter Persegi', NULL),
    (3, 'M3', 'Meter Kubik', NULL),
    (4, 'M1', 'Meter Panjang', NULL),
    (5, 'KG', 'Kilogram', NULL),
    (6, 'BH', 'Buah', NULL),
    (7, 'TTK', 'Titik', NULL),
    (8, 'UNIT', 'Unit', NULL),
    (9, 'HARI', 'Hari', NULL),
    (10, 'OH', 'Orang Hari', NULL),
    (11, 'SET', 'Set', NULL),
    (12, 'LBR', 'Lembar', NULL),
    (13, 'BTG', 'Batang', NULL),
    (14, 'ZAK', 'Zak', NULL),
    (15, 'LTR', 'Liter', NULL),
    (16, 'BLN', 'Bulan', NULL),
    (17, 'TON', 'Ton', NULL),
    (18, 'ROLL', 'Roll', NULL);
SELECT setval(pg_get_serial_sequence('prefmeasurement', 'measurementid'),
              (SELECT max(MeasurementID) FROM prefMeasurement));

INSERT INTO prefElementType (ElementType, ElementTypeName) VALUES
    ('01', 'MATERIAL'),
    ('02', 'UPAH'),
    ('03', 'ANALISA'),
    ('04', 'OVERHEAD'),
    ('05', 'PERALATAN'),
    ('06', 'INVENTARIS'),
    ('07', 'SUBKON');

-- DepartmentSymbol is the department code the client sends ('00' project
-- office, '03' logistics).
INSERT INTO mstDepartment (DepartmentID, DepartmentCode, DepartmentName, DepartmentSymbol,
                           DepartmentType, DepartmentDesc, EntryBy, EntryFrom) VALUES
    (1, '00', 'Konstruksi', '00', 'Proyek', 'Kantor proyek dan tim proyek', 'system', 'install'),
    (2, '01', 'Keuangan', '01', 'Kantor Pusat', 'Keuangan dan akuntansi', 'system', 'install'),
    (3, '03', 'Logistik', '03', 'Kantor Pusat', 'Pengadaan dan logistik', 'system', 'install'),
    (4, '04', 'Personalia', '04', 'Kantor Pusat', 'Sumber daya manusia', 'system', 'install');

-- Positions of department 1 can be given to project-team members.
INSERT INTO prefJobTitle (JobTitleID, JobTitleCode, JobTitleName, JobTitleLevel, DepartmentID,
                          JobTitleType, JobTitleGrade, ShowInCompetence, OrderID) VALUES
    (1, 'GM-CON', 'GM. Construction', 'Manajemen', 1, 'Struktural', 90, true, 1),
    (2, 'PD', 'Project Director', 'Manajemen', 1, 'Struktural', 85, true, 2),
    (3, 'PM', 'Project Manager', 'Manajemen', 1, 'Struktural', 80, true, 3),
    (4, 'SM', 'Site Manager', 'Madya', 1, 'Struktural', 70, true, 4),
    (5, 'SE', 'Site Engineer', 'Staf', 1, 'Fungsional', 50, true, 5),
    (6, 'QS', 'Quantity Surveyor', 'Staf', 1, 'Fungsional', 50, true, 6),
    (7, 'SPV', 'Pelaksana', 'Staf', 1, 'Fungsional', 40, true, 7),
    (8, 'ADM', 'Administrasi Proyek', 'Staf', 1, 'Fungsional', 30, false, 8),
    (9, 'LOG', 'Logistik Proyek', 'Staf', 1, 'Fungsional', 30, false, 9),
    (10, 'MDR', 'Mandor', 'Mitra', NULL, 'Mitra', 10, false, 10),
    (11, 'DIR', 'Direktur', 'Direksi', NULL, 'Mitra', 95, false, 11);

INSERT INTO prefCompanyType (CompanyTypeID, CompanyTypeName) VALUES
    (1, 'PT'), (2, 'CV'), (3, 'UD'), (4, 'Koperasi'), (5, 'Perorangan');

INSERT INTO prefCoreBusiness (CoreBusinessID, CoreBusinessName) VALUES
    (1, 'Kontraktor Umum'), (2, 'Mandor / Tenaga Kerja'), (3, 'Pemasok Material'),
    (4, 'Penyewaan Alat'), (5, 'Konsultan'), (6, 'Pemilik Proyek');

INSERT INTO prefContactType (ContactTypeID, ContactTypeName) VALUES
    (1, 'KTP'), (2, 'SIM'), (3, 'Paspor');

INSERT INTO prefReligion (ReligionID, ReligionCode, ReligionName) VALUES
    (1, 'ISL', 'Islam'), (2, 'KRI', 'Kristen'), (3, 'KAT', 'Katolik'),
    (4, 'HIN', 'Hindu'), (5, 'BUD', 'Buddha'), (6, 'KHC', 'Khonghucu');

INSERT INTO prefGender (GenderID, GenderName) VALUES
    (1, 'Laki-laki'), (2, 'Perempuan');

INSERT INTO prefMarital (MaritalID, MaritalName) VALUES
    (1, 'Belum Menikah'), (2, 'Menikah'), (3, 'Cerai');

INSERT INTO prefEmployeeType (EmployeeTypeID, EmployeeTypeName) VALUES
    (1, 'Tetap'), (2, 'Kontrak'), (3, 'Harian'), (4, 'Percobaan');

INSERT INTO prefGrade (GradeID, GradeName) VALUES
    (1, 'Grade 1'), (2, 'Grade 2'), (3, 'Grade 3'), (4, 'Grade 4'), (5, 'Grade 5');

INSERT INTO prefResignType (ResignTypeID, ResignTypeName) OVERRIDING SYSTEM VALUE VALUES
    (1, 'Mengundurkan Diri'), (2, 'Kontrak Berakhir'), (3, 'Diberhentikan'),
    (4, 'Pensiun'), (5, 'Meninggal Dunia');
SELECT setval(pg_get_serial_sequence('prefresigntype', 'resigntypeid'),
              (SELECT max(ResignTypeID) FROM prefResignType));

INSERT INTO prefProjectType (ProjectTypeID, ProjectTypeName) VALUES
    (1, 'Gedung'), (2, 'Infrastruktur'), (3, 'Interior'), (4, 'Mekanikal Elektrikal');

INSERT INTO prefContractType (ContractTypeID, ContractTypeName) OVERRIDING SYSTEM VALUE VALUES
    (1, 'Lump Sum'), (2, 'Unit Price'), (3, 'Design and Build'), (4, 'Cost Plus Fee');
SELECT setval(pg_get_serial_sequence('prefcontracttype', 'contracttypeid'),
              (SELECT max(ContractTypeID) FROM prefContractType));

INSERT INTO prefBuildingType (BuildingTypeID, BuildingTypeName) VALUES
    (1, 'Perkantoran'), (2, 'Apartemen'), (3, 'Rumah Tinggal'), (4, 'Pusat Perbelanjaan'),
    (5, 'Hotel'), (6, 'Pabrik / Gudang'), (7, 'Rumah Sakit'), (8, 'Sekolah');

INSERT INTO prefProjectOwner (ProjectOwnerID, ProjectOwnerName) VALUES
    (1, 'Swasta'), (2, 'Pemerintah'), (3, 'BUMN');

INSERT INTO admModuleDetail (mdID, mdCode, mdName, mdDesc, EntryBy, EntryFrom)
OVERRIDING SYSTEM VALUE VALUES
    (1, 'SYS-001', 'Login', 'Masuk ke sistem', 'system', 'install'),
    (2, 'SIT-SPK-001', 'SPK Mandor - Pendataan', 'Pendataan SPK mandor', 'system', 'install'),
    (3, 'SIT-SPK-002', 'SPK Mandor - Pembayaran', 'Pembayaran SPK mandor', 'system', 'install'),
    (4, 'SIT-PC-001', 'Kas Kecil', 'Bukti kas dan laporan kas kecil', 'system', 'install'),
    (5, 'SIT-RAP-001', 'RAP vs Realisasi', 'Perbandingan RAP dan realisasi', 'system', 'install'),
    (6, 'CON-PPB-002', 'Permintaan Barang', 'Monitoring surat permintaan barang', 'system', 'install');
SELECT setval(pg_get_serial_sequence('admmoduledetail', 'mdid'),
              (SELECT max(mdID) FROM admModuleDetail));

INSERT INTO admSetting (SettingKey, SettingValue, SettingDesc, EntryBy, EntryFrom) VALUES
    ('PPnPercentage', '11', 'Tarif PPn (persen) untuk SPK dengan PPn', 'system', 'install');

-- Company 1 is the company's own record; its employees are the staff.
INSERT INTO mstCompany (CompanyID, CompanyName, CompanyTypeID, CoreBusinessID, CompanyCity,
                        CompanyProvince, CompanyCountry, EntryBy, EntryFrom)
OVERRIDING SYSTEM VALUE VALUES
    (1, 'PT. KALVEO KONSTRUKSI', 1, 1, 'Jakarta', 'DKI Jakarta', 'Indonesia', 'system', 'install');
SELECT setval(pg_get_serial_sequence('mstcompany', 'companyid'),
              (SELECT max(CompanyID) FROM mstCompany));

INSERT INTO admVersion (VersionMajor, VersionMinor, VersionMajorDate, VersionDatabase,
                        VersionDatabaseDate, IsActive) VALUES
    (1, 15, localtimestamp, 2, localtimestamp, true);
