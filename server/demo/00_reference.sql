-- Base demo data: the company's own record filled in. The lookups every
-- installation needs come with the migrations; the work-order demo adds the
-- rest. Safe to load more than once.

UPDATE mstCompany c
SET CompanyNPWP = '01.234.567.8-012.000',
    CompanyDesc = 'Kontraktor umum bangunan gedung',
    CompanyFixedPhone = '021-5550123',
    CompanyFax = '021-5550124',
    CompanyWebsite = 'www.kalveo.co.id',
    CompanyEmail = 'info@kalveo.co.id',
    CompanyAddress1 = 'Jl. Jend. Sudirman Kav. 21',
    CompanyAddress2 = 'Gedung Kalveo Lt. 5',
    CompanyZipcode = '12920',
    CompanyBankName = 'Bank Mandiri Cabang Sudirman',
    CompanyBankAccountNo = '122-00-0123456-7',
    CompanyBankAccountName = 'PT. KALVEO KONSTRUKSI',
    ModifyBy = 'demo',
    ModifyFrom = 'install',
    ModifyTime = localtimestamp
WHERE c.CompanyID = 1;

INSERT INTO admSetting (SettingKey, SettingValue, SettingDesc, EntryBy, EntryFrom) VALUES
    ('CompanyCity', 'Jakarta', 'Kota tempat penandatanganan dokumen', 'demo', 'install')
ON CONFLICT (SettingKey) DO NOTHING;
