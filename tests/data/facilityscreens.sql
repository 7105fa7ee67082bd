-- Added to facilities.sql for the facility list (4 is of a checklist version the installed checklist file
-- lacks): 6, with an accented name and a lower-case RIVM number for the case-blind sort; each facility with
-- an aftercare start, so that opening one asks nothing.
INSERT INTO tblStort (idrStort_ID, strStortNaam, strRIVMnr, bytProv_REF, intStortType, intCL_REF)
    VALUES (6, 'Depot Échelle', 'a-7', 100, 2, 4);
UPDATE tblStort SET dtmAanvangNazorg = '2031-01-01';
