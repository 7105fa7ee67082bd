-- A data file in the format of version 2.0: no surcharge, start date and export folder columns
-- in tblStort, units limited to 20 characters, no combination or replacement surcharge columns.
CREATE TABLE tblSYS (strSYS_ID VARCHAR(50) COLLATE NOCASE, strSYSvalue VARCHAR(255) COLLATE NOCASE);
INSERT INTO tblSYS VALUES ('versie', '20');

CREATE TABLE tblStort (
    idrStort_ID INTEGER PRIMARY KEY AUTOINCREMENT,
    strStortNaam VARCHAR(50) COLLATE NOCASE,
    strRIVMnr VARCHAR(255) COLLATE NOCASE,
    bytProv_REF TINYINT,
    memVestigingsadres TEXT COLLATE NOCASE,
    intStortType SMALLINT,
    strVergNaam VARCHAR(255) COLLATE NOCASE, strVergPostAdres VARCHAR(255) COLLATE NOCASE,
    strVergContPers VARCHAR(255) COLLATE NOCASE, strVergTel VARCHAR(255) COLLATE NOCASE,
    strVergFax VARCHAR(255) COLLATE NOCASE, strVergEmail VARCHAR(255) COLLATE NOCASE,
    strInvNaam VARCHAR(255) COLLATE NOCASE, strInvPostAdres VARCHAR(255) COLLATE NOCASE,
    strInvContPers VARCHAR(255) COLLATE NOCASE, strInvTel VARCHAR(255) COLLATE NOCASE,
    strInvFax VARCHAR(255) COLLATE NOCASE, strInvEmail VARCHAR(255) COLLATE NOCASE,
    sngRentePerc REAL, sngInflPerc REAL, intJaarNazorg SMALLINT, intJaarPrijspeil SMALLINT,
    intCL_REF SMALLINT, bytBedrijfsGebonden TINYINT, bytObjectGebonden TINYINT, bytheffing TINYINT,
    intStartjaarHeffing SMALLINT, intEindjaarHeffing SMALLINT, sngNazorgOpp REAL,
    sngAlgAppKostenBasis REAL, sngAlgCommunicatieKosten REAL, sngAlgRisicoBedrag REAL
);
INSERT INTO tblStort (strStortNaam, bytProv_REF, intStortType, sngRentePerc, sngInflPerc, intJaarNazorg, intCL_REF)
VALUES ('Stortplaats ''t Veen', 40, 1, 5.06, 2, 2012, 1),
       ('Depot Échelle', 60, 2, 5.06, 2, 2015, 2);

CREATE TABLE tblInrichting (
    idrInrichting_ID INTEGER PRIMARY KEY AUTOINCREMENT, lngStort_REF INTEGER,
    bytObjectCat_REF TINYINT, strObject VARCHAR(255) COLLATE NOCASE
);
INSERT INTO tblInrichting (lngStort_REF, bytObjectCat_REF, strObject) VALUES (1, 2, 'Bovenafdichting');

CREATE TABLE tblAct (
    idrAct_ID INTEGER PRIMARY KEY AUTOINCREMENT,
    lngStort_REF INTEGER, lngInrichting_REF INTEGER, lngClitem_REF INTEGER, bytIsTALVO TINYINT,
    strAct VARCHAR(255) COLLATE NOCASE, bytRubriek_REF TINYINT,
    bytOptieStart TINYINT, intStartAbs SMALLINT, intStartRel SMALLINT, bytStartBA TINYINT, intStartBA SMALLINT,
    bytOptieEind TINYINT, intEindAbs SMALLINT, intEindRel SMALLINT, bytEindBA TINYINT, intEindBA SMALLINT,
    bytOptieFreq TINYINT, intFreqX SMALLINT, bytOptieKosten TINYINT,
    sngPercInvest REAL, sngKostenInvest REAL, sngKostenTotaal REAL, sngKostenPE REAL, sngAantal REAL,
    strEenheid VARCHAR(20) COLLATE NOCASE,
    strOpm VARCHAR(255) COLLATE NOCASE, strNazorgplanRef VARCHAR(255) COLLATE NOCASE, dtmMut DATETIME
);
CREATE INDEX idxActStort ON tblAct (lngStort_REF);
INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytIsTALVO, strAct, bytRubriek_REF, sngKostenPE, sngAantal,
                    strEenheid, strOpm)
VALUES (1, 1, 0, 'Maaien', 4, 0.12, 34500, 'm2', 'twee keer per jaar'),
       (1, 1, 0, 'Inspectie', 3, 850, 1, 'stuks', NULL),
       (1, 1, 0, 'Vervallen post', 6, 1, 1, 'post', NULL);
-- The last cost item was deleted; its id must never be given out again.
DELETE FROM tblAct WHERE strAct = 'Vervallen post';

CREATE TABLE tblTonnage (
    idrTonnage_ID INTEGER PRIMARY KEY AUTOINCREMENT, lngStort_REF INTEGER, intKalJaar SMALLINT, lngTonnage INTEGER
);
CREATE TABLE tblObjectCat (bytObjectCat_ID TINYINT PRIMARY KEY, strObjectCat VARCHAR(255) COLLATE NOCASE);
CREATE TABLE tblProv (bytProv_ID TINYINT PRIMARY KEY, strProvNaam VARCHAR(255) COLLATE NOCASE);
