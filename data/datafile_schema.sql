-- The user data file: tables, fixed rows and format version.
-- Text columns compare without regard to case (NOCASE); booleans are -1/0; dates ISO-8601 text.

CREATE TABLE tblSYS (
    strSYS_ID VARCHAR(50) COLLATE NOCASE,
    strSYSvalue VARCHAR(255) COLLATE NOCASE
);
INSERT INTO tblSYS (strSYS_ID, strSYSvalue) VALUES ('versie', '30');

CREATE TABLE tblStort (
    idrStort_ID INTEGER PRIMARY KEY AUTOINCREMENT,
    strStortNaam VARCHAR(50) COLLATE NOCASE,
    strRIVMnr VARCHAR(255) COLLATE NOCASE,
    bytProv_REF TINYINT,
    memVestigingsadres TEXT COLLATE NOCASE,
    intStortType SMALLINT,
    strVergNaam VARCHAR(255) COLLATE NOCASE,
    strVergPostAdres VARCHAR(255) COLLATE NOCASE,
    strVergContPers VARCHAR(255) COLLATE NOCASE,
    strVergTel VARCHAR(255) COLLATE NOCASE,
    strVergFax VARCHAR(255) COLLATE NOCASE,
    strVergEmail VARCHAR(255) COLLATE NOCASE,
    strInvNaam VARCHAR(255) COLLATE NOCASE,
    strInvPostAdres VARCHAR(255) COLLATE NOCASE,
    strInvContPers VARCHAR(255) COLLATE NOCASE,
    strInvTel VARCHAR(255) COLLATE NOCASE,
    strInvFax VARCHAR(255) COLLATE NOCASE,
    strInvEmail VARCHAR(255) COLLATE NOCASE,
    sngRentePerc REAL,
    sngInflPerc REAL,
    intJaarNazorg SMALLINT,
    dtmAanvangNazorg DATETIME,
    intJaarPrijspeil SMALLINT,
    intCL_REF SMALLINT,
    bytBedrijfsGebonden TINYINT,
    bytObjectGebonden TINYINT,
    bytheffing TINYINT,
    intStartjaarHeffing SMALLINT,
    intEindjaarHeffing SMALLINT,
    sngNazorgOpp REAL,
    sngAlgAppKostenBasis REAL,
    sngAppKostenPerc REAL DEFAULT 3,
    bytRapEval TINYINT DEFAULT 0,
    sngRapEvalMin CURRENCY DEFAULT 3500,
    sngRapEvalPerHa CURRENCY DEFAULT 225,
    sngRapEvalMax CURRENCY DEFAULT 9000,
    sngAlgCommunicatieKosten REAL,
    sngOnvoorzien REAL DEFAULT 10,
    sngOntwerpdirectie REAL DEFAULT 12,
    sngAlgRisicoBedrag REAL,
    memStandaardExportDir TEXT COLLATE NOCASE DEFAULT 'c:\'
);

CREATE TABLE tblInrichting (
    idrInrichting_ID INTEGER PRIMARY KEY AUTOINCREMENT,
    lngStort_REF INTEGER,
    bytObjectCat_REF TINYINT,
    strObject VARCHAR(255) COLLATE NOCASE
);

CREATE TABLE tblAct (
    idrAct_ID INTEGER PRIMARY KEY AUTOINCREMENT,
    lngStort_REF INTEGER,
    lngInrichting_REF INTEGER,
    lngClitem_REF INTEGER,
    bytIsTALVO TINYINT,
    strAct VARCHAR(255) COLLATE NOCASE,
    bytRubriek_REF TINYINT,
    bytOptieStart TINYINT,
    intStartAbs SMALLINT,
    intStartRel SMALLINT,
    bytStartBA TINYINT,
    intStartBA SMALLINT,
    bytOptieEind TINYINT,
    intEindAbs SMALLINT,
    intEindRel SMALLINT,
    bytEindBA TINYINT,
    intEindBA SMALLINT,
    bytOptieFreq TINYINT,
    intFreqX SMALLINT,
    bytOptieKosten TINYINT,
    sngPercInvest REAL,
    sngKostenInvest REAL,
    sngKostenTotaal REAL,
    sngKostenPE REAL,
    sngAantal REAL,
    strEenheid VARCHAR(50) COLLATE NOCASE,
    bytCombineer TINYINT NOT NULL DEFAULT 0,
    bytTypeVervangingsToeslag TINYINT NOT NULL DEFAULT 0,
    sngVervangingsToeslagPerc REAL,
    strOpm VARCHAR(255) COLLATE NOCASE,
    strNazorgplanRef VARCHAR(255) COLLATE NOCASE,
    dtmMut DATETIME
);

CREATE TABLE tblTonnage (
    idrTonnage_ID INTEGER PRIMARY KEY AUTOINCREMENT,
    lngStort_REF INTEGER,
    intKalJaar SMALLINT,
    lngTonnage INTEGER
);

CREATE TABLE tblObjectCat (
    bytObjectCat_ID TINYINT PRIMARY KEY,
    strObjectCat VARCHAR(255) COLLATE NOCASE
);
INSERT INTO tblObjectCat VALUES (1, 'Algemeen');
INSERT INTO tblObjectCat VALUES (2, 'Bovenafdichting');
INSERT INTO tblObjectCat VALUES (3, 'Grondwatermonitoringssysteem');
INSERT INTO tblObjectCat VALUES (4, 'Percolaatopvangsysteem');
INSERT INTO tblObjectCat VALUES (5, 'Stortgasonttrekking');
INSERT INTO tblObjectCat VALUES (6, 'Grondwaterbeheerssysteem');
INSERT INTO tblObjectCat VALUES (7, 'Overig');

CREATE TABLE tblProv (
    bytProv_ID TINYINT PRIMARY KEY,
    strProvNaam VARCHAR(255) COLLATE NOCASE
);
INSERT INTO tblProv VALUES (0, '??');
INSERT INTO tblProv VALUES (10, 'Drenthe');
INSERT INTO tblProv VALUES (20, 'Flevoland');
INSERT INTO tblProv VALUES (30, 'Friesland');
INSERT INTO tblProv VALUES (40, 'Gelderland');
INSERT INTO tblProv VALUES (50, 'Groningen');
INSERT INTO tblProv VALUES (60, 'Limburg');
INSERT INTO tblProv VALUES (70, 'Noord-Brabant');
INSERT INTO tblProv VALUES (80, 'Noord-Holland');
INSERT INTO tblProv VALUES (90, 'Overijssel');
INSERT INTO tblProv VALUES (100, 'Utrecht');
INSERT INTO tblProv VALUES (110, 'Zeeland');
INSERT INTO tblProv VALUES (120, 'Zuid-Holland');

CREATE INDEX idxInrichtingStort ON tblInrichting (lngStort_REF);
CREATE INDEX idxActStort ON tblAct (lngStort_REF);
CREATE INDEX idxActInrichting ON tblAct (lngInrichting_REF);
CREATE INDEX idxTonnageStort ON tblTonnage (lngStort_REF);
