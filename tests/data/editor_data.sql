-- The facility of the provision tree, the picker and the cost item editor tests: facility 1 on checklist
-- version 7 (tests/data/editor_checklist.sql), aftercare from 2030.
-- Provision 1 holds checklist item 201 in two phases (10, 14) and a user item; provision 2 only user items:
-- 'Bemonsteren' in three phases (11, 13, 15; phase 1 lacks its frequency, phase 3 its start year: phase 1
-- still shows in the cost item colour, as the first of several) and 'analyse' without an amount,
-- which sorts first whatever its letter case; provision 3 is empty. Facility 2 is another facility's data.
INSERT INTO tblStort (idrStort_ID, strStortNaam, bytProv_REF, intStortType, intCL_REF, dtmAanvangNazorg)
    VALUES (1, 'Oost', 120, 1, 7, '2030-01-01'), (2, 'West', 120, 1, 7, '2030-01-01');
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (1, 1, 2, 'Bovenafdichting'), (2, 1, 3, 'Peilbuizen'), (3, 1, 7, 'Hekwerk'), (4, 2, 7, 'Hekwerk');
INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, lngClitem_REF, bytIsTALVO, strAct,
    bytRubriek_REF, bytOptieStart, intStartRel, bytOptieEind, bytOptieFreq, intFreqX, bytOptieKosten,
    sngKostenTotaal) VALUES
    (10, 1, 1, 201, 1, 'Maaien', 4, 2, 1, 3, 2, 1, 2, 150),
    (12, 1, 1, NULL, 0, 'Beplanting', 1, 2, 1, 3, 2, 1, 2, 80),
    (14, 1, 1, 201, 1, 'Maaien', 4, 2, 20, 3, 2, 2, 2, 150),
    (11, 1, 2, NULL, 0, 'Bemonsteren', 2, 2, 1, 3, 2, NULL, 2, 300),
    (13, 1, 2, NULL, 0, 'Bemonsteren', 2, 2, 30, 3, 2, 2, 2, 300),
    (15, 1, 2, NULL, 0, 'Bemonsteren', 2, 2, NULL, 3, 2, 1, 2, 300),
    (16, 1, 2, NULL, 0, 'analyse', 3, 2, 1, 3, 2, 1, 2, NULL),
    (20, 2, 4, NULL, 0, 'Schilderen', 4, 2, 1, 3, 3, 5, 2, 400);
UPDATE tblAct SET bytStartBA = 0, bytEindBA = 0, bytCombineer = 0, bytTypeVervangingsToeslag = 0;
