INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngRapEvalMin,
    sngOntwerpdirectie) VALUES (1, 'vast', '2008-01-01', 1, 2008, 3500, 0.12);
