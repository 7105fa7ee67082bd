-- Without interest and inflation, and with the price level year as start year, a yearly cost for ever is
-- worth 1000 times its amount and a one-off cost its amount.
-- Zuid (1): a checklist item whose cost alone fails (its cost option differs), a conforming one, and
-- user-defined items in rubrics 2, 5 and 6, over three object categories; communication below the
-- checklist's minimum. Noord (2): one yearly item. Zuid and Noord are equalised; Eigen put (3) is
-- object-bound.
INSERT INTO tblStort (idrStort_ID, strStortNaam, bytProv_REF, intStortType, intCL_REF, bytBedrijfsGebonden,
    bytObjectGebonden, sngRentePerc, sngInflPerc, intJaarPrijspeil, dtmAanvangNazorg, sngNazorgOpp, bytRapEval,
    sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax, sngAlgCommunicatieKosten, sngAlgAppKostenBasis,
    sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie, sngAlgRisicoBedrag) VALUES
    (1, 'Zuid', 120, 1, 1, 0, 0, 0, 0, 2010, '2010-01-01', 20, 1, 3500, 225, 9000, 1500, 5000, 3, 10, 12, 250000),
    (2, 'Noord', 120, 1, 1, 0, 0, 0, 0, 2010, '2010-01-01', 20, 1, 3500, 225, 9000, 2000, 5000, 3, 10, 12, 0),
    (3, 'Eigen put', 120, 1, 1, 0, 1, 0, 0, 2010, '2010-01-01', 20, 1, 3500, 225, 9000, 2000, 5000, 3, 10, 12, 0);
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (1, 1, 2, 'Bovenafdichting'), (2, 1, 3, 'Peilbuizen'), (3, 1, 7, 'Toegangsweg'),
    (4, 2, 2, 'Bovenafdichting'), (5, 3, 2, 'Bovenafdichting');
INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, lngClitem_REF, bytIsTALVO, strAct,
    bytRubriek_REF, bytOptieStart, intStartRel, bytStartBA, bytOptieEind, bytEindBA, bytOptieFreq, intFreqX,
    bytOptieKosten, sngKostenTotaal, sngKostenPE, sngAantal, strEenheid, dtmMut) VALUES
    (1, 1, 1, 10, 2, 'Maaien talud en kruin van de bovenafdichting', 4, 2, 1, 0, 3, 0, 2, 1, 3, NULL, 0.25,
        12000, 'm2 talud en kruin (tweemaal maaien)', '2020-01-01T00:00:00'),
    (2, 1, 1, 10, 1, 'Onderhoud grasmat', 4, 2, 1, 0, 3, 0, 2, 1, 2, 1000, NULL, NULL, NULL,
        '2020-01-01T00:00:00'),
    (3, 1, 2, NULL, 0, 'Bemonstering grondwater', 2, 2, 1, 0, 3, 0, 2, 1, 2, 500, NULL, NULL, NULL,
        '2020-01-01T00:00:00'),
    (4, 1, 2, NULL, 0, 'Vervangen peilbuizen', 5, 2, 20, 0, 3, 0, 1, NULL, 2, 25000, NULL, NULL, NULL,
        '2020-01-01T00:00:00'),
    (5, 1, 3, NULL, 0, 'Onderhoud toegangsweg', 6, 2, 10, 0, 3, 0, 1, NULL, 2, 2000, NULL, NULL, NULL,
        '2020-01-01T00:00:00'),
    (6, 2, 4, NULL, 0, 'Maaien dijk', 4, 2, 1, 0, 3, 0, 2, 1, 2, 1000, NULL, NULL, NULL, '2020-01-01T00:00:00'),
    (7, 3, 5, NULL, 0, 'Maaien', 4, 2, 1, 0, 3, 0, 2, 1, 2, 1000, NULL, NULL, NULL, '2020-01-01T00:00:00');
INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES
    (1, 2010, 50), (1, 2011, 60), (2, 2011, 40), (2, 2012, 30), (3, 2010, 100), (3, 2011, 120);
