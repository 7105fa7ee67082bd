-- The checklist file: published checklist versions, items, footnotes and price changes.

CREATE TABLE tblSYS (
    strSYS_ID VARCHAR(50) COLLATE NOCASE,
    strSYSvalue VARCHAR(255) COLLATE NOCASE
);

CREATE TABLE tblStortType (
    intStortType_ID SMALLINT PRIMARY KEY,
    strStortType VARCHAR(255) COLLATE NOCASE
);

CREATE TABLE tblObjectCat (
    bytObjectCat_ID TINYINT PRIMARY KEY,
    strObjectCat VARCHAR(255) COLLATE NOCASE
);

CREATE TABLE tblCL (
    intCL_ID SMALLINT PRIMARY KEY,
    strVersie VARCHAR(255) COLLATE NOCASE,
    dtmCL DATETIME,
    lngStortType_REF INTEGER,
    intJaarPrijspeil SMALLINT,
    strOpmerking VARCHAR(255) COLLATE NOCASE,
    sngCommunicatieMIN REAL,
    sngCommunicatieMAX REAL,
    sngRapEvalPerHa REAL,
    sngRapEvalMin REAL,
    sngRapEvalMax REAL,
    sngAppKostenBasisMIN REAL,
    sngAppKostenBasisMAX REAL,
    sngAppKostenPerc REAL,
    sngOnvoorzien REAL,
    sngOntwerpdirectie REAL,
    sngVervangingstoeslagKleineWerken REAL,
    sngVervangingstoeslagGroteWerkenMin REAL,
    sngVervangingstoeslagGroteWerkenMax REAL
);

CREATE TABLE tblCLitem (
    lngCLitem_ID INTEGER,
    intCL_REF SMALLINT,
    blnActief BOOLEAN,
    bytObjectCat_REF TINYINT,
    strVoorz VARCHAR(255) COLLATE NOCASE,
    strOmschrijving VARCHAR(255) COLLATE NOCASE,
    bytRubriek_REF TINYINT,
    intSortNr SMALLINT,
    strRefDeelonderz VARCHAR(255) COLLATE NOCASE,
    blnIsCombinatiePost BOOLEAN,
    blnCombinatieMogelijk BOOLEAN,
    intStartJaar SMALLINT,
    blnStartjaarEerderMag BOOLEAN,
    bytStartBA TINYINT,
    intEINDJAAR SMALLINT,
    bytOptieEind TINYINT,
    bytEindBA TINYINT,
    bytOptieFreq TINYINT,
    sngFreqXMin REAL,
    sngFreqXMax REAL,
    bytOptieKosten TINYINT,
    sngPrijsPEmin REAL,
    sngPrijsPEmax REAL,
    sngPercInvestMIN REAL,
    sngPercInvestMAX REAL,
    sngKostenInvestMIN REAL,
    sngKostenInvestMAX REAL,
    sngKostenTotaalMIN REAL,
    sngKostenTotaalMAX REAL,
    strEenheid VARCHAR(50) COLLATE NOCASE,
    sngAantalMIN REAL,
    sngAantalMAX REAL,
    bytTypeVervangingsToeslag TINYINT,
    strToelichting TEXT COLLATE NOCASE,
    strVtNtStartjaar VARCHAR(255) COLLATE NOCASE,
    strVtNtEindjaar VARCHAR(255) COLLATE NOCASE,
    strVtntPeriodMin VARCHAR(255) COLLATE NOCASE,
    strVtNtPeriodMax VARCHAR(255) COLLATE NOCASE,
    strVtNtPrijsPEmin VARCHAR(255) COLLATE NOCASE,
    strVtNtPrijsPEmax VARCHAR(255) COLLATE NOCASE,
    blnVoetnoot1 BOOLEAN
);
CREATE INDEX idxCLitemVersie ON tblCLitem (intCL_REF, lngCLitem_ID);

CREATE TABLE tblVoetnoot (
    intCL_REF SMALLINT,
    strVoetnootItem VARCHAR(255) COLLATE NOCASE,
    memVoetnoot TEXT COLLATE NOCASE
);

CREATE TABLE tblPPcorr (
    intJaar SMALLINT PRIMARY KEY,
    sngPPcorr REAL
);
