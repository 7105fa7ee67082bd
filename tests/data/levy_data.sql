-- The equalisation group of province 120, landfills: 1 and 2. Object-bound 3 and 10 to 14, province 30's
-- 4 and depot 5 share the province or the type only; their other interest would stop the equalisation if
-- they were taken in. 12 and 13 are company-bound. Each facility has one yearly total-amount item of
-- 1000 × its id. Every surcharge is entered, so that a target capital can be calculated.
INSERT INTO tblStort (idrStort_ID, strStortNaam, bytProv_REF, intStortType, intCL_REF, bytBedrijfsGebonden,
    bytObjectGebonden, sngRentePerc, sngInflPerc, intJaarPrijspeil, dtmAanvangNazorg, sngNazorgOpp, bytRapEval,
    sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax, sngAlgCommunicatieKosten, sngAlgAppKostenBasis,
    sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie, sngAlgRisicoBedrag) VALUES
    (1, 'Noordhoek', 120, 1, 1, 0, 0, 5, 2, 2008, '2010-01-01', 10, 1, 3500, 225, 9000, 2000, 5000, 3, 10, 12, 10000),
    (2, 'Zuidkamp', 120, 1, 1, 0, 0, 5, 2, 2008, '2012-07-01', 12, 1, 3500, 225, 9000, 2500, 6000, 3, 10, 12, 20000),
    (3, 'Eigen put', 120, 1, 1, 0, 1, 7, 2, 2008, '2010-01-01', 10, 1, 3500, 225, 9000, 2000, 5000, 3, 10, 12, 10000),
    (4, 'Elders', 30, 1, 1, 0, 0, 7, 2, 2008, '2010-01-01', 10, 1, 3500, 225, 9000, 2000, 5000, 3, 10, 12, 10000),
    (5, 'Slibdepot', 120, 2, 2, 0, 0, 7, 2, 2008, '2010-01-01', 10, 1, 2500, 150, 6000, 2000, 5000, 3, 10, 12, 10000),
    (10, 'Objectstort', 120, 1, 1, 0, 1, 5, 2, 2008, '2010-01-01', 10, 1, 3500, 225, 9000, 2000, 5000, 3, 10, 12, 0),
    (11, 'Gelijke rente', 120, 1, 1, 0, 1, 3, 3, 2008, '2010-07-16', 10, 1, 3500, 225, 9000, 2000, 5000, 3, 10, 12, 0),
    (12, 'Bedrijf met object', 40, 1, 1, 1, 1, 5, 2, 2008, '2010-01-01', 10, 1, 3500, 225, 9000, 2000, 5000, 3, 10,
        12, 0),
    (13, 'Bedrijf zonder object', 40, 1, 1, 1, 0, 5, 2, 2008, '2010-01-01', 10, 1, 3500, 225, 9000, 2000, 5000, 3,
        10, 12, 0),
    (14, 'Zonder prognose', 120, 1, 1, 0, 1, 5, 2, 2008, '2010-01-01', 10, 1, 3500, 225, 9000, 2000, 5000, 3, 10,
        12, 0);
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject)
    SELECT idrStort_ID, idrStort_ID, 2, 'Bovenafdichting' FROM tblStort;
INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytIsTALVO, strAct, bytRubriek_REF, bytOptieStart,
    intStartRel, bytStartBA, bytOptieEind, bytEindBA, bytOptieFreq, intFreqX, bytOptieKosten, sngKostenTotaal,
    dtmMut)
    SELECT idrStort_ID, idrStort_ID, 0, 'Maaien', 4, 2, 1, 0, 3, 0, 2, 1, 2, 1000 * idrStort_ID,
        '2020-01-01T00:00:00' FROM tblStort;
INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES
    (1, 2011, 100), (1, 2010, 100), (1, NULL, 500), (2, 2012, 70), (2, 2011, 50), (2, 2013, NULL),
    (3, 2011, 999), (4, 2011, 999), (5, 2011, 999),
    (11, 2014, 40), (11, 2012, 25), (11, 2013, NULL), (11, NULL, 300), (11, 2015, 35),
    (14, NULL, 10);
WITH RECURSIVE y(j) AS (SELECT 2010 UNION ALL SELECT j + 1 FROM y WHERE j < 2019)
    INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) SELECT 10, j, 100 FROM y;
