INSERT INTO tblStort (idrStort_ID, strStortNaam, bytProv_REF, intStortType, intCL_REF, dtmAanvangNazorg)
    VALUES
    (1, 'Zuid', 120, 1, 7, '2030-01-01'), (2, 'Noord', 120, 1, 7, '2030-01-01'),
    (3, 'Leeg', 120, 1, 7, '2030-01-01');
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (1, 1, 2, 'Bovenafdichting'), (2, 1, 3, 'Peilbuis ''A'''), (3, 2, 5, 'Gasbron ''Noord'''),
    (4, 1, 7, 'Hekwerk');
INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, lngClitem_REF, bytIsTALVO, strAct,
    bytRubriek_REF, bytOptieStart, intStartAbs, intStartRel, bytOptieEind, intEindRel, bytOptieFreq, intFreqX,
    bytOptieKosten, sngKostenTotaal, sngKostenPE, sngAantal, strEenheid, bytTypeVervangingsToeslag,
    sngVervangingsToeslagPerc) VALUES
    (10, 1, 1, 55, 1, 'Maaien', 4, 2, NULL, 1, 3, NULL, 2, 2, 2, 1000, NULL, NULL, NULL, 0, NULL),
    (11, 1, 1, 56, 1, 'Maaien', 4, 2, NULL, 10, 3, NULL, 2, 2, 2, 1000, NULL, NULL, NULL, 0, NULL),
    (12, 1, 2, NULL, 0, 'Pomp vervangen', 5, 1, 2035, 6, 1, 31, 3, 15, 3, NULL, NULL, 2, 'st', 2, 12),
    (13, 1, 2, NULL, 0, 'Pomp vervangen', 5, 2, NULL, 20, 3, NULL, 3, 15, 3, NULL, 3.3, 2, 'st', 3, 7),
    (14, 1, 2, 57, 2, 'Bemonsteren', 2, 2, NULL, 1, 3, NULL, 2, 4, 1, NULL, NULL, NULL, NULL, 0, NULL),
    (15, 1, 1, NULL, 0, 'Pomp vervangen', 5, 2, NULL, 1, 3, NULL, 3, 15, 2, 900, NULL, NULL, NULL, 2, 12),
    (16, 1, 4, NULL, 0, 'Schilderen', 4, 2, NULL, 1, 3, NULL, 3, 5, 2, 400, NULL, NULL, NULL, 0, NULL),
    (20, 2, 3, 101, 1, 'Maaien', 4, 2, NULL, 1, 3, NULL, 2, 2, 2, 800, NULL, NULL, NULL, 0, NULL);
UPDATE tblAct SET bytStartBA = 0, bytEindBA = 0, dtmMut = '2020-05-01T10:00:00';
UPDATE tblAct SET bytStartBA = 1, intEindAbs = 2060, strOpm = 'fase 1', strNazorgplanRef = 'NP 4.2'
    WHERE idrAct_ID = 12;
UPDATE tblAct SET sngPercInvest = 2.5, sngKostenInvest = 4000 WHERE idrAct_ID = 14;
