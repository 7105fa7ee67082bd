-- Aftercare from 16 July 2010: 2010 + 6/12 + 1/24. Two provisions, one cost item on each.
INSERT INTO tblStort (idrStort_ID, strStortNaam, intStortType, intCL_REF, sngRentePerc, sngInflPerc,
    dtmAanvangNazorg, intJaarPrijspeil, sngNazorgOpp, bytRapEval, sngRapEvalMin, sngRapEvalPerHa,
    sngRapEvalMax, sngAlgCommunicatieKosten, sngAlgAppKostenBasis, sngAppKostenPerc, sngOnvoorzien,
    sngOntwerpdirectie, sngAlgRisicoBedrag) VALUES
    (1, 'Zuid', 1, 1, 4, 2, '2010-07-16', 2008, 22.5, 2, 3000, 200, 9000, 2000, 5000, 3, 10, 12, 250000);
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (1, 1, 2, 'Bovenafdichting'), (2, 1, 7, 'Hekwerk');
INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, strAct, bytRubriek_REF, bytIsTALVO,
    bytOptieStart, intStartRel, bytOptieEind, intEindRel, bytOptieFreq, intFreqX, bytOptieKosten,
    sngKostenTotaal) VALUES
    (1, 1, 1, 'Maaien', 4, 1, 2, 1, 2, 30, 2, 1, 2, 250),
    (2, 1, 2, 'Vervangen', 5, 0, 2, 10, 3, NULL, 1, NULL, 2, 5000);
