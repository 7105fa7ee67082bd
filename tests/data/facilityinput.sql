-- Added to facilities.sql for the input screens (general data, surcharges, forecast). Every aftercare
-- starts on 16-1-2030. Surcharges: 11 on the 2007 checklist version (fixed design/direction rate), 12 on
-- the 2013 version (differentiated surcharges), 13 with an area stored before the reporting/evaluation
-- option existed. Forecast: facility 11, its 2027 without an amount.
INSERT INTO tblStort (idrStort_ID, strStortNaam, intStortType, intCL_REF, bytProv_REF, sngNazorgOpp, bytRapEval) VALUES
    (11, 'Stort 2007', 1, 1, 120, NULL, 0),
    (12, 'Stort 2013', 1, 3, 120, NULL, 0),
    (13, 'Stort oud', 1, 1, 120, 20, 0);
UPDATE tblStort SET dtmAanvangNazorg = '2030-01-16', sngRentePerc = 5.06, sngInflPerc = 2, bytBedrijfsGebonden = 0,
    bytObjectGebonden = 0;
INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES (11, 2026, 230), (11, 2025, 1000), (11, 2027, NULL);
