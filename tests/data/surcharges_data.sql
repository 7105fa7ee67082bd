-- Landfills of the built checklist file: 1 on the 2007 version (fixed design/direction rate, no
-- communication maximum), 2 on the 2013 version (differentiated surcharges), 3 with an area stored before
-- the reporting/evaluation option existed. Every surcharge value is empty unless set here.
INSERT INTO tblStort (idrStort_ID, strStortNaam, intStortType, intCL_REF, bytProv_REF, sngNazorgOpp,
    bytRapEval, sngOntwerpdirectie, sngAlgRisicoBedrag) VALUES
    (1, 'Stort 2007', 1, 1, 120, NULL, 0, NULL, NULL),
    (2, 'Stort 2013', 1, 3, 120, NULL, 0, 12, NULL),
    (3, 'Stort oud', 1, 1, 120, 20, 0, NULL, 1000);
