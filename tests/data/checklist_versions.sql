-- Two checklist versions for the checklist tests: version 1 (2013-1) sets the replacement surcharge per item
-- (design fee -999) and reports per hectare from 3500 to 9000; version 2 has one design fee for all.
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, intJaarPrijspeil, sngRapEvalPerHa, sngRapEvalMin, sngRapEvalMax, sngOntwerpdirectie)
    VALUES (1, '2013-1', '2013-03-01', 2012, 225, 3500, 9000, -999);
INSERT INTO tblCL (intCL_ID, strVersie, intJaarPrijspeil, sngRapEvalPerHa, sngRapEvalMin, sngRapEvalMax, sngOntwerpdirectie)
    VALUES (2, '2015-1', 2014, 3, 0, 1, 7.5);
