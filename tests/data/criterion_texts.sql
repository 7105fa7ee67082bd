-- One active item of version 1 per criterion text, for the checklist tests: its description says which
-- text (start, end, freq or cost) and the criteria it is set up with, its columns hold them.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (1, 1, -1, 'Bovenafdichting', 'start: bytStartBA = 0, intStartJaar = 5, blnStartjaarEerderMag = -1', 4);
UPDATE tblCLitem SET bytStartBA = 0, intStartJaar = 5, blnStartjaarEerderMag = -1 WHERE lngCLitem_ID = 1;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (2, 1, -1, 'Bovenafdichting', 'start: bytStartBA = 0', 4);
UPDATE tblCLitem SET bytStartBA = 0 WHERE lngCLitem_ID = 2;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (3, 1, -1, 'Bovenafdichting', 'start: bytStartBA = 1, intStartJaar = 3, blnStartjaarEerderMag = 0', 4);
UPDATE tblCLitem SET bytStartBA = 1, intStartJaar = 3, blnStartjaarEerderMag = 0 WHERE lngCLitem_ID = 3;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (4, 1, -1, 'Bovenafdichting', 'start: bytStartBA = 1', 4);
UPDATE tblCLitem SET bytStartBA = 1 WHERE lngCLitem_ID = 4;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (5, 1, -1, 'Bovenafdichting', 'end: bytOptieEind = 2, bytEindBA = 0, intEINDJAAR = 30', 4);
UPDATE tblCLitem SET bytOptieEind = 2, bytEindBA = 0, intEINDJAAR = 30 WHERE lngCLitem_ID = 5;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (6, 1, -1, 'Bovenafdichting', 'end: bytOptieEind = 2, bytEindBA = 0', 4);
UPDATE tblCLitem SET bytOptieEind = 2, bytEindBA = 0 WHERE lngCLitem_ID = 6;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (7, 1, -1, 'Bovenafdichting', 'end: bytOptieEind = 2, bytEindBA = 1, intEINDJAAR = 20', 4);
UPDATE tblCLitem SET bytOptieEind = 2, bytEindBA = 1, intEINDJAAR = 20 WHERE lngCLitem_ID = 7;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (8, 1, -1, 'Bovenafdichting', 'end: bytOptieEind = 2, bytEindBA = 1', 4);
UPDATE tblCLitem SET bytOptieEind = 2, bytEindBA = 1 WHERE lngCLitem_ID = 8;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (9, 1, -1, 'Bovenafdichting', 'end: bytOptieEind = 3, bytEindBA = 0, intEINDJAAR = 30', 4);
UPDATE tblCLitem SET bytOptieEind = 3, bytEindBA = 0, intEINDJAAR = 30 WHERE lngCLitem_ID = 9;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (10, 1, -1, 'Bovenafdichting', 'start: bytOptieEind = 3, bytEindBA = 0, intEINDJAAR = 30', 4);
UPDATE tblCLitem SET bytOptieEind = 3, bytEindBA = 0, intEINDJAAR = 30 WHERE lngCLitem_ID = 10;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (11, 1, -1, 'Bovenafdichting', 'freq: bytOptieFreq = 1, sngFreqXMin = 2', 4);
UPDATE tblCLitem SET bytOptieFreq = 1, sngFreqXMin = 2 WHERE lngCLitem_ID = 11;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (12, 1, -1, 'Bovenafdichting', 'freq: bytOptieFreq = 2, sngFreqXMin = 2', 4);
UPDATE tblCLitem SET bytOptieFreq = 2, sngFreqXMin = 2 WHERE lngCLitem_ID = 12;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (13, 1, -1, 'Bovenafdichting', 'freq: bytOptieFreq = 2, sngFreqXMax = 4', 4);
UPDATE tblCLitem SET bytOptieFreq = 2, sngFreqXMax = 4 WHERE lngCLitem_ID = 13;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (14, 1, -1, 'Bovenafdichting', 'freq: bytOptieFreq = 2, sngFreqXMin = 2, sngFreqXMax = 2', 4);
UPDATE tblCLitem SET bytOptieFreq = 2, sngFreqXMin = 2, sngFreqXMax = 2 WHERE lngCLitem_ID = 14;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (15, 1, -1, 'Bovenafdichting', 'freq: bytOptieFreq = 2, sngFreqXMin = 0.5, sngFreqXMax = 2', 4);
UPDATE tblCLitem SET bytOptieFreq = 2, sngFreqXMin = 0.5, sngFreqXMax = 2 WHERE lngCLitem_ID = 15;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (16, 1, -1, 'Bovenafdichting', 'freq: bytOptieFreq = 2', 4);
UPDATE tblCLitem SET bytOptieFreq = 2 WHERE lngCLitem_ID = 16;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (17, 1, -1, 'Bovenafdichting', 'freq: bytOptieFreq = 3, sngFreqXMin = 5', 4);
UPDATE tblCLitem SET bytOptieFreq = 3, sngFreqXMin = 5 WHERE lngCLitem_ID = 17;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (18, 1, -1, 'Bovenafdichting', 'freq: bytOptieFreq = 3, sngFreqXMax = 10', 4);
UPDATE tblCLitem SET bytOptieFreq = 3, sngFreqXMax = 10 WHERE lngCLitem_ID = 18;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (19, 1, -1, 'Bovenafdichting', 'freq: bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 5', 4);
UPDATE tblCLitem SET bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 5 WHERE lngCLitem_ID = 19;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (20, 1, -1, 'Bovenafdichting', 'freq: bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 10', 4);
UPDATE tblCLitem SET bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 10 WHERE lngCLitem_ID = 20;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (21, 1, -1, 'Bovenafdichting', 'freq: bytOptieFreq = 3', 4);
UPDATE tblCLitem SET bytOptieFreq = 3 WHERE lngCLitem_ID = 21;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (22, 1, -1, 'Bovenafdichting', 'freq: sngFreqXMin = 5', 4);
UPDATE tblCLitem SET sngFreqXMin = 5 WHERE lngCLitem_ID = 22;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (23, 1, -1, 'Bovenafdichting', 'cost: bytOptieKosten = 1, sngPercInvestMIN = 1.5', 4);
UPDATE tblCLitem SET bytOptieKosten = 1, sngPercInvestMIN = 1.5 WHERE lngCLitem_ID = 23;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (24, 1, -1, 'Bovenafdichting', 'cost: bytOptieKosten = 1, sngPercInvestMAX = 2', 4);
UPDATE tblCLitem SET bytOptieKosten = 1, sngPercInvestMAX = 2 WHERE lngCLitem_ID = 24;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (25, 1, -1, 'Bovenafdichting', 'cost: bytOptieKosten = 1, sngPercInvestMIN = 2, sngPercInvestMAX = 2', 4);
UPDATE tblCLitem SET bytOptieKosten = 1, sngPercInvestMIN = 2, sngPercInvestMAX = 2 WHERE lngCLitem_ID = 25;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (26, 1, -1, 'Bovenafdichting', 'cost: bytOptieKosten = 1, sngPercInvestMIN = 1, sngPercInvestMAX = 2', 4);
UPDATE tblCLitem SET bytOptieKosten = 1, sngPercInvestMIN = 1, sngPercInvestMAX = 2 WHERE lngCLitem_ID = 26;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (27, 1, -1, 'Bovenafdichting', 'cost: bytOptieKosten = 1', 4);
UPDATE tblCLitem SET bytOptieKosten = 1 WHERE lngCLitem_ID = 27;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (28, 1, -1, 'Bovenafdichting', 'cost: bytOptieKosten = 2, sngKostenTotaalMIN = 1000, sngKostenTotaalMAX = 2500', 4);
UPDATE tblCLitem SET bytOptieKosten = 2, sngKostenTotaalMIN = 1000, sngKostenTotaalMAX = 2500 WHERE lngCLitem_ID = 28;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (29, 1, -1, 'Bovenafdichting', 'cost: bytOptieKosten = 2, sngKostenTotaalMIN = 2500, sngKostenTotaalMAX = 2500', 4);
UPDATE tblCLitem SET bytOptieKosten = 2, sngKostenTotaalMIN = 2500, sngKostenTotaalMAX = 2500 WHERE lngCLitem_ID = 29;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (30, 1, -1, 'Bovenafdichting', 'cost: bytOptieKosten = 2, sngKostenTotaalMIN = 1000', 4);
UPDATE tblCLitem SET bytOptieKosten = 2, sngKostenTotaalMIN = 1000 WHERE lngCLitem_ID = 30;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (31, 1, -1, 'Bovenafdichting', 'cost: bytOptieKosten = 2, sngKostenTotaalMAX = 2500', 4);
UPDATE tblCLitem SET bytOptieKosten = 2, sngKostenTotaalMAX = 2500 WHERE lngCLitem_ID = 31;
-- A single just below the half.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (32, 1, -1, 'Bovenafdichting', 'cost: bytOptieKosten = 3, sngPrijsPEmin = 2.675, strEenheid = ''m2''', 4);
UPDATE tblCLitem SET bytOptieKosten = 3, sngPrijsPEmin = 2.675, strEenheid = 'm2' WHERE lngCLitem_ID = 32;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (33, 1, -1, 'Bovenafdichting', 'cost: bytOptieKosten = 3, sngPrijsPEmin = 10, sngPrijsPEmax = 12.5, strEenheid = ''stuk''', 4);
UPDATE tblCLitem SET bytOptieKosten = 3, sngPrijsPEmin = 10, sngPrijsPEmax = 12.5, strEenheid = 'stuk' WHERE lngCLitem_ID = 33;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (34, 1, -1, 'Bovenafdichting', 'cost: bytOptieKosten = 3, strEenheid = ''m2''', 4);
UPDATE tblCLitem SET bytOptieKosten = 3, strEenheid = 'm2' WHERE lngCLitem_ID = 34;
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF)
    VALUES (35, 1, -1, 'Bovenafdichting', 'cost: sngKostenTotaalMIN = 1000', 4);
UPDATE tblCLitem SET sngKostenTotaalMIN = 1000 WHERE lngCLitem_ID = 35;
