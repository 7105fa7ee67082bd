-- A landfill version (1) and a dredging depot version (2), both with a fixed design and supervision
-- percentage and one plain item each: no combination posts.
INSERT INTO tblStortType VALUES (1, 'stortplaats'), (2, 'baggerdepot');
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngCommunicatieMIN,
    sngCommunicatieMAX, sngRapEvalPerHa, sngRapEvalMin, sngRapEvalMax, sngAppKostenBasisMIN, sngAppKostenBasisMAX,
    sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie, sngVervangingstoeslagKleineWerken,
    sngVervangingstoeslagGroteWerkenMin, sngVervangingstoeslagGroteWerkenMax) VALUES
    (1, 'stortplaatsen', '2008-01-01', 1, 2008, 2000, 50000, 225, 3500, 9000, 5000, 25000, 0.03, 0.10, 0.12,
        0, 0, 0),
    (2, 'baggerdepots', '2008-01-01', 2, 2008, 1000, 10000, 150, 2500, 6000, 2500, 15000, 0.03, 0.10, 0.12,
        0, 0, 0);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, blnIsCombinatiePost, blnCombinatieMogelijk,
    bytObjectCat_REF, strVoorz, strOmschrijving, bytRubriek_REF, intStartJaar, bytStartBA, bytOptieEind, bytEindBA,
    bytOptieFreq, sngFreqXMin, sngFreqXMax, bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX,
    bytTypeVervangingsToeslag) VALUES
    (1, 1, -1, 0, 0, 2, 'Bovenafdichting', 'Maaien', 4, 1, 0, 3, 0, 2, 1, 2, 2, 500, 5000, 0),
    (2, 2, -1, 0, 0, 2, 'Bovenafdichting', 'Maaien', 4, 1, 0, 3, 0, 2, 1, 2, 2, 500, 5000, 0);
