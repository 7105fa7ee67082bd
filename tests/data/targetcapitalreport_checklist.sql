-- One landfill version with a fixed design and supervision percentage and one mowing item: yearly for ever
-- from aftercare year 1, one or two times a year, a total amount of 500 to 5000.
INSERT INTO tblStortType VALUES (1, 'stortplaats');
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngCommunicatieMIN,
    sngCommunicatieMAX, sngRapEvalPerHa, sngRapEvalMin, sngRapEvalMax, sngAppKostenBasisMIN, sngAppKostenBasisMAX,
    sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie, sngVervangingstoeslagKleineWerken,
    sngVervangingstoeslagGroteWerkenMin, sngVervangingstoeslagGroteWerkenMax) VALUES
    (1, 'stortplaatsen', '2008-01-01', 1, 2010, 2000, -999, 225, 3500, 9000, 5000, 25000, 0.03, 0.10, 0.12,
        0, 0, 0);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, blnIsCombinatiePost, blnCombinatieMogelijk,
    bytObjectCat_REF, strVoorz, strOmschrijving, bytRubriek_REF, intStartJaar, bytStartBA, bytOptieEind, bytEindBA,
    bytOptieFreq, sngFreqXMin, sngFreqXMax, bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX,
    bytTypeVervangingsToeslag) VALUES
    (10, 1, -1, 0, 0, 2, 'Bovenafdichting', 'Maaien', 4, 1, 0, 3, 0, 2, 1, 2, 2, 500, 5000, 0);
