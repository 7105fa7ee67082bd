-- Facilities for the facility list and deletion: an unknown province, a missing checklist
-- version, a missing type, quotes in a name, and rows in every table for facility 1.
INSERT INTO tblStort (idrStort_ID, strStortNaam, strRIVMnr, bytProv_REF, intStortType, intCL_REF) VALUES
    (1, 'stortplaats Zuid', 'ZH-01', 120, 1, 3),
    (2, 'Baggerdepot ''t Slik', NULL, 110, 2, 2),
    (3, 'Onbekende provincie', 'X', 25, 1, 1),
    (4, 'Afgedankte versie', '', 0, 1, 99),
    (5, 'Zonder soort', 'Q-5', 40, NULL, 1);
INSERT INTO tblInrichting (lngStort_REF, bytObjectCat_REF, strObject) VALUES (1, 2, 'Bovenafdichting'), (2, 4, 'Drains');
INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, strAct) VALUES (1, 1, 'Maaien'), (1, 1, 'Inspectie'), (2, 2, 'Spoelen');
INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES (1, 2025, 120), (1, 2026, 110), (2, 2025, 5);
