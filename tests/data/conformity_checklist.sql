-- The checklist of the conformity tests. Version 1 sets surcharges per item and only a minimum for
-- communication; version 2 fixes both.
INSERT INTO tblCL (intCL_ID, intJaarPrijspeil, sngCommunicatieMIN, sngCommunicatieMAX, sngRapEvalPerHa, sngRapEvalMin,
    sngRapEvalMax, sngAppKostenBasisMIN, sngAppKostenBasisMAX, sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie)
    VALUES (1, 2012, 2000, -999, 225, 3500, 9000, 1000, 5000, 5.06, 10, -999);
INSERT INTO tblCL (intCL_ID, intJaarPrijspeil, sngCommunicatieMIN, sngCommunicatieMAX, sngOntwerpdirectie)
    VALUES (2, 2014, 2000, 10000, 7.5);
-- Active items of version 1 (item 40: of version 2), by id and the criteria set on them. Item 30 is a
-- replacement: start in the 5th aftercare year or before, end in the 30th, once every 5 to 10 years, 10 to 50
-- per m2 for at least 1 m2.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving) VALUES
    (30, 1, -1, 'Bovenafdichting', 'Post 30'),
    (2, 1, -1, 'Bovenafdichting', 'Post 2'),
    (4, 1, -1, 'Bovenafdichting', 'Post 4'),
    (5, 1, -1, 'Bovenafdichting', 'Post 5'),
    (6, 1, -1, 'Bovenafdichting', 'Post 6'),
    (7, 1, -1, 'Bovenafdichting', 'Post 7'),
    (9, 1, -1, 'Bovenafdichting', 'Post 9'),
    (10, 1, -1, 'Bovenafdichting', 'Post 10'),
    (12, 1, -1, 'Bovenafdichting', 'Post 12'),
    (13, 1, -1, 'Bovenafdichting', 'Post 13'),
    (14, 1, -1, 'Bovenafdichting', 'Post 14'),
    (15, 1, -1, 'Bovenafdichting', 'Post 15'),
    (17, 1, -1, 'Bovenafdichting', 'Post 17'),
    (18, 1, -1, 'Bovenafdichting', 'Post 18'),
    (19, 1, -1, 'Bovenafdichting', 'Post 19'),
    (40, 2, -1, 'Bovenafdichting', 'Post 40');
UPDATE tblCLitem SET bytRubriek_REF = 5, bytStartBA = 0, intStartJaar = 5, blnStartjaarEerderMag = -1, bytOptieEind = 2, bytEindBA = 0, intEINDJAAR = 30, bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 10, bytOptieKosten = 3, sngPrijsPEmin = 10, sngPrijsPEmax = 50, strEenheid = 'm2', sngAantalMIN = 1 WHERE lngCLitem_ID = 30;
UPDATE tblCLitem SET bytStartBA = 0, intStartJaar = 5, blnStartjaarEerderMag = 0 WHERE lngCLitem_ID = 2;
UPDATE tblCLitem SET bytStartBA = 1, intStartJaar = 3, blnStartjaarEerderMag = -1 WHERE lngCLitem_ID = 4;
UPDATE tblCLitem SET bytStartBA = 1, intStartJaar = 3, blnStartjaarEerderMag = 0 WHERE lngCLitem_ID = 5;
UPDATE tblCLitem SET bytStartBA = 0 WHERE lngCLitem_ID = 6;
UPDATE tblCLitem SET bytOptieEind = 3, bytEindBA = 0 WHERE lngCLitem_ID = 7;
UPDATE tblCLitem SET bytOptieEind = 2, bytEindBA = 1, intEINDJAAR = 20 WHERE lngCLitem_ID = 9;
UPDATE tblCLitem SET bytOptieEind = 2, bytEindBA = 0 WHERE lngCLitem_ID = 10;
UPDATE tblCLitem SET bytOptieFreq = 2 WHERE lngCLitem_ID = 12;
UPDATE tblCLitem SET bytOptieFreq = 1 WHERE lngCLitem_ID = 13;
UPDATE tblCLitem SET bytOptieFreq = 3, sngFreqXMin = 0, sngFreqXMax = 10 WHERE lngCLitem_ID = 14;
UPDATE tblCLitem SET bytOptieFreq = 2, sngFreqXMin = 2, sngFreqXMax = 4 WHERE lngCLitem_ID = 15;
UPDATE tblCLitem SET bytOptieKosten = 1, sngPercInvestMIN = 1, sngPercInvestMAX = 2, sngKostenInvestMAX = 100000 WHERE lngCLitem_ID = 17;
UPDATE tblCLitem SET bytOptieKosten = 2, sngKostenTotaalMIN = 1000, sngKostenTotaalMAX = 2500 WHERE lngCLitem_ID = 18;
UPDATE tblCLitem SET bytOptieKosten = 3, sngAantalMAX = 10 WHERE lngCLitem_ID = 19;
UPDATE tblCLitem SET bytOptieKosten = 2 WHERE lngCLitem_ID = 40;
