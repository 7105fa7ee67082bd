-- The facility of the version change tests: landfill 1 on checklist version 10 at price level 2005
-- (tests/data/versionchange_checklist.sql), with its four surcharge amounts.
-- Cost items: 10 within 301's criteria; 11 of 302, which version 11 lacks; 12 within 303's old criteria but
-- not its new ones; 13 outside 304's old criteria, inside its new ones; 14 the same for 306 but a
-- replacement without its surcharge type (incomplete under the new version); 15 the user's own, at 2.5 % of
-- 4 000; 16 of 305 under its old names (two phases, 16 and 18); 17 of 307, demoted by an earlier change;
-- 19 of 308, a one-off expense, which has no end; 20 of 301, within its bound of 200 only before the
-- price-level correction.
INSERT INTO tblStort (idrStort_ID, strStortNaam, bytProv_REF, intStortType, intCL_REF, intJaarPrijspeil,
    dtmAanvangNazorg, sngAlgRisicoBedrag, sngAlgCommunicatieKosten, sngAlgAppKostenBasis, sngRapEvalPerHa)
    VALUES (1, 'Oost', 120, 1, 10, 2005, '2030-01-01', 100000, 2000, 5000, 200);
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (1, 1, 2, 'Bovenafdichting'), (2, 1, 2, 'Bovenafdichting oud');
INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, lngClitem_REF, bytIsTALVO, strAct,
    bytRubriek_REF, bytOptieStart, intStartRel, bytOptieEind, bytOptieFreq, intFreqX, bytOptieKosten,
    sngKostenTotaal) VALUES
    (10, 1, 1, 301, 1, 'Inspecteren', 4, 2, 1, 3, 2, 1, 2, 150),
    (11, 1, 1, 302, 1, 'Vervallen post', 4, 2, 1, 3, 2, 1, 2, 150),
    (12, 1, 1, 303, 1, 'Strenger', 4, 2, 1, 3, 2, 1, 2, 150),
    (13, 1, 1, 304, 2, 'Ruimer', 4, 2, 1, 3, 2, 1, 2, 500),
    (14, 1, 1, 306, 2, 'Ruimer onvolledig', 5, 2, 1, 3, 2, 1, 2, 500),
    (15, 1, 1, NULL, 0, 'Eigen post', 4, 2, 1, 3, 2, 1, 1, NULL),
    (16, 1, 2, 305, 1, 'Maaien', 4, 2, 1, 3, 2, 1, 2, 150),
    (17, 1, 1, 307, 0, 'Teruggekeerd', 4, 2, 1, 3, 2, 1, 2, 150),
    (18, 1, 2, 305, 1, 'Maaien', 4, 2, 30, 3, 2, 1, 2, 150),
    (19, 1, 1, 308, 1, 'Nulmeting', 2, 2, 1, 3, 1, NULL, 2, 150),
    (20, 1, 1, 301, 1, 'Bovengrens', 4, 2, 1, 3, 2, 1, 2, 195);
UPDATE tblAct SET bytStartBA = 0, bytEindBA = 0, bytCombineer = 0, bytTypeVervangingsToeslag = 0;
UPDATE tblAct SET sngPercInvest = 2.5, sngKostenInvest = 4000 WHERE idrAct_ID = 15;
