INSERT INTO tblStort (idrStort_ID, strStortNaam, bytProv_REF, intStortType, intCL_REF) VALUES
    (1, 'Leeg', 120, 1, 7), (2, 'Half', 120, 1, 7), (3, 'Klaar', 120, 1, 7), (4, 'Nieuw', 120, 1, 7),
    (5, 'Oud', 120, 1, 8);
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (1, 1, 2, 'Bovenafdichting'), (2, 2, 3, 'Peilbuis ''A'''), (3, 3, 2, 'Bovenafdichting'),
    (4, 4, 5, 'Gasbron'), (5, 5, 5, 'Gasbron');
INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, strAct, bytRubriek_REF, bytOptieStart, intStartRel,
    bytStartBA, bytOptieEind, bytEindBA, bytOptieFreq, intFreqX, bytOptieKosten, sngKostenTotaal, sngKostenPE,
    sngAantal, strEenheid, bytTypeVervangingsToeslag) VALUES
    (2, 2, 'Bemonsteren', 2, 2, 1, 0, 3, 0, 2, 4, 2, 0, NULL, NULL, NULL, 0),
    (2, 2, 'Analyse ''zware'' metalen', 2, 2, 1, 0, 3, 0, 2, 4, 3, NULL, 80, 0, 'st', 0),
    (3, 3, 'Maaien', 4, 2, 1, 0, 3, 0, 2, 2, 2, 1500, NULL, NULL, NULL, 0),
    (3, 3, 'Toplaag', 5, 2, 10, 0, 3, 0, 3, 25, 3, NULL, 12.5, 1000, 'm2', 1),
    (4, 4, 'Pomp', 5, 2, 10, 0, 3, 0, 3, 15, 2, 900, NULL, NULL, NULL, 0),
    (5, 5, 'Pomp', 5, 2, 10, 0, 3, 0, 3, 15, 2, 900, NULL, NULL, NULL, 0);
