-- Version 7 sets surcharges per item. Item 101 needs a provision the facility lacks (facility 2 has one
-- of that name), item 102 shares it, item 103 belongs to an existing provision written in other
-- letter case, item 104 is no longer active.
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngOntwerpdirectie,
    sngVervangingstoeslagKleineWerken, sngVervangingstoeslagGroteWerkenMin,
    sngVervangingstoeslagGroteWerkenMax)
    VALUES (7, 'test', '2020-01-01', 1, 2020, -999, 7.5, 10, 16);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, bytObjectCat_REF, strVoorz, strOmschrijving,
    bytRubriek_REF, intStartJaar, bytStartBA, intEINDJAAR, bytOptieEind, bytEindBA, bytOptieFreq, sngFreqXMin,
    sngFreqXMax, bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, sngPercInvestMIN, sngPercInvestMAX,
    sngKostenInvestMIN, sngKostenInvestMAX, sngKostenTotaalMIN, sngKostenTotaalMAX, strEenheid, sngAantalMIN,
    sngAantalMAX, bytTypeVervangingsToeslag) VALUES
    (101, 7, -1, 5, 'Gasbron ''Noord''', 'Vervangen pompen', 5, 10, 0, 30, 2, 0, 3, 10, 14, 3, 100, 200,
        NULL, NULL, NULL, NULL, NULL, NULL, 'st', 2, 4, 2),
    (102, 7, -1, 5, 'Gasbron ''Noord''', 'Vervangen leidingen', 5, 3, 1, NULL, 3, 0, 2, 1, 1, 1, NULL, NULL,
        2, 4, 1000, 3000, NULL, NULL, NULL, NULL, NULL, 3),
    (103, 7, -1, 2, 'BOVENAFDICHTING', 'Herstel toplaag', 4, 1, 0, 20, 2, 1, 2, 1, 2, 2, NULL, NULL,
        NULL, NULL, NULL, NULL, 500, 700, NULL, NULL, NULL, NULL),
    (104, 7, 0, 2, 'Bovenafdichting', 'Vervallen post', 4, 1, 0, NULL, 3, 0, 1, NULL, NULL, 2, NULL, NULL,
        NULL, NULL, NULL, NULL, 1, 2, NULL, NULL, NULL, 0);
