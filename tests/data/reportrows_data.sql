-- Facility 1 starts its aftercare on 1 January 2010 at the price level of 2010 and without rates, so a
-- present value factor counts the occurrences. Without regard to case provision "bovenafdichting oost"
-- sorts before "Bovenafdichting West" and item "afvoer" before "Zaaien"; in binary order they would not.
-- Items 4 and 8 lack calendar years; item 9 belongs to another facility. Aftercare year 6 is calendar
-- year 2015. Drainage (4) counts from the top liner built in aftercare year 4: it starts in year 5 and its
-- ten years end in year 13, so its last occurrence falls in year 10. Folie vervangen (3), built in 2012
-- (year 3), is done once in its third year: year 5. Only the cost of Peilbuizen (6) lies outside the range
-- of its checklist item.
INSERT INTO tblStort (idrStort_ID, strStortNaam, intStortType, intCL_REF, sngRentePerc, sngInflPerc,
    dtmAanvangNazorg, intJaarPrijspeil, sngNazorgOpp, bytRapEval, sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax,
    sngAlgCommunicatieKosten, sngAlgAppKostenBasis, sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie,
    sngAlgRisicoBedrag) VALUES
    (1, 'Zuid', 1, 1, 0, 0, '2010-01-01', 2010, 20, 1, 0, 225, 9000, 0, 0, 0, 0, 0, 0),
    (2, 'Noord', 1, 1, 0, 0, '2010-01-01', 2010, 20, 1, 0, 225, 9000, 0, 0, 0, 0, 0, 0);
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (10, 1, 2, 'bovenafdichting oost'), (11, 1, 2, 'Bovenafdichting West'), (12, 1, 1, 'Terrein'),
    (20, 2, 1, 'Elders');
INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, lngClitem_REF, bytIsTALVO, strAct, bytRubriek_REF,
    bytOptieStart, intStartAbs, intStartRel, bytStartBA, intStartBA, bytOptieEind, intEindAbs, intEindRel, bytEindBA,
    intEindBA, bytOptieFreq, intFreqX, bytOptieKosten, sngPercInvest, sngKostenInvest, sngKostenTotaal, sngKostenPE,
    sngAantal, strEenheid, bytCombineer, strNazorgplanRef, strOpm) VALUES
    (1, 1, 10, NULL, 0, 'Zaaien', 4, 2, NULL, 1, 0, NULL, 2, NULL, 30, 0, NULL, 2, 1, 2, NULL, NULL, 1234.5, NULL,
        NULL, NULL, 0, 'H3.2', 'jaarlijks'),
    (2, 1, 10, 10, 1, 'afvoer', 4, 1, 2015, NULL, 0, NULL, 1, 2020, NULL, 0, NULL, 3, 5, 3, NULL, NULL, NULL, 1234.5,
        2.5, 'm2', 0, NULL, ''),
    (3, 1, 11, NULL, 0, 'Folie vervangen', 5, 1, 2012, NULL, 1, 3, 3, NULL, NULL, 0, NULL, 1, NULL, 1, 2.5, 100000,
        NULL, NULL, NULL, NULL, 0, NULL, NULL),
    (4, 1, 11, NULL, 0, 'Drainage', 5, 2, NULL, 4, 1, 2, 1, NULL, NULL, 1, 10, 3, 5, 2, NULL, NULL, 1000, NULL,
        NULL, NULL, 0, NULL, NULL),
    (5, 1, 12, 10, 1, 'Deelpost', 2, 2, NULL, 1, 0, NULL, 3, NULL, NULL, 0, NULL, 2, 1, 2, NULL, NULL, 1000, NULL,
        NULL, NULL, 1, NULL, NULL),
    (6, 1, 12, 10, 2, 'Peilbuizen', 2, 2, NULL, 1, 0, NULL, 3, NULL, NULL, 0, NULL, 2, 1, 2, NULL, NULL, 9000, NULL,
        NULL, NULL, 0, NULL, NULL),
    (7, 1, 12, 10, 2, 'Peilbuizen meten', 2, 2, NULL, 1, 0, NULL, 3, NULL, NULL, 0, NULL, 2, 2, 2, NULL, NULL, 1000,
        NULL, NULL, NULL, 0, NULL, NULL),
    (8, 1, 12, NULL, 0, 'Onbekend', 6, 1, NULL, NULL, 0, NULL, 1, NULL, NULL, 0, NULL, 2, 1, 2, NULL, NULL, 10, NULL,
        NULL, NULL, 0, NULL, NULL),
    (9, 2, 20, NULL, 0, 'Vreemd', 4, 2, NULL, 1, 0, NULL, 3, NULL, NULL, 0, NULL, 2, 1, 2, NULL, NULL, 10, NULL,
        NULL, NULL, 0, NULL, NULL);
