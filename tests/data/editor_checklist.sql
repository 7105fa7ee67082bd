-- The checklist of the provision tree, the picker and the cost item editor tests. Version 7 (landfills) sets
-- replacement surcharges per item (-999): small works 5 %, large works 6 to 6.5 %.
-- Item 201 is in use by facility 1; 202 is a top liner replacement (type 1, m2); 203 leaves large or small
-- work open (type 7) and may be combined; 204 is a combination post; 205 needs a provision facility 1 lacks;
-- 206 is no longer active.
INSERT INTO tblObjectCat VALUES (1, 'Algemeen'), (2, 'Bovenafdichting'), (3, 'Grondwatermonitoringssysteem'),
    (4, 'Percolaatopvangsysteem'), (5, 'Stortgasonttrekking'), (6, 'Grondwaterbeheerssysteem'), (7, 'Overig');
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngOntwerpdirectie,
    sngVervangingstoeslagKleineWerken, sngVervangingstoeslagGroteWerkenMin, sngVervangingstoeslagGroteWerkenMax)
    VALUES (7, 'test', '2020-01-01', 1, 2020, -999, 5, 6, 6.5);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, bytObjectCat_REF, strVoorz, strOmschrijving,
    bytRubriek_REF, intSortNr, blnIsCombinatiePost, blnCombinatieMogelijk, intStartJaar, bytStartBA, intEINDJAAR,
    bytOptieEind, bytEindBA, bytOptieFreq, sngFreqXMin, sngFreqXMax, bytOptieKosten, sngPrijsPEmin,
    sngPrijsPEmax, sngKostenTotaalMIN, sngKostenTotaalMAX, strEenheid, sngAantalMIN, sngAantalMAX,
    bytTypeVervangingsToeslag) VALUES
    (201, 7, -1, 2, 'Bovenafdichting', 'Maaien', 4, 1, 0, 0, 1, 0, NULL, 3, 0, 2, 1, 2, 2, NULL, NULL, 100, 200,
        NULL, NULL, NULL, 0),
    (202, 7, -1, 2, 'Bovenafdichting', 'Vervangen toplaag', 5, 2, 0, 0, 40, 0, NULL, 3, 0, 3, 30, 40, 3, 10, 20,
        NULL, NULL, 'm2', 1000, 2000, 1),
    (203, 7, -1, 5, 'Gasbron', 'Vervangen pomp', 5, 1, 0, -1, 10, 0, NULL, 3, 0, 3, 10, 15, 2, NULL, NULL, 500,
        900, NULL, NULL, NULL, 7),
    (204, 7, -1, 5, 'Gasbron', 'Gasonttrekking compleet', 4, 2, -1, 0, 1, 0, NULL, 3, 0, 2, 1, 1, 2, NULL, NULL,
        1000, 3000, NULL, NULL, NULL, 0),
    (205, 7, -1, 3, 'Peilbuizen noord', 'Peilbuis vervangen', 5, 1, 0, 0, 20, 0, NULL, 3, 0, 3, 20, 30, 2, NULL,
        NULL, 300, 600, NULL, NULL, NULL, 3),
    (206, 7, 0, 2, 'Bovenafdichting', 'Vervallen post', 4, 3, 0, 0, 1, 0, NULL, 3, 0, 2, 1, 1, 2, NULL, NULL, 1,
        2, NULL, NULL, NULL, 0);
