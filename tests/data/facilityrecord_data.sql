-- On top of facilities.sql: a name with an accent (facility 6, a dredging depot of version 4), facility 1's
-- aftercare start, interest, inflation and binding, and facility 4's aftercare start.
INSERT INTO tblStort (idrStort_ID, strStortNaam, bytProv_REF, intStortType, intCL_REF) VALUES (6, 'Depot Échelle', 60, 2, 4);
UPDATE tblStort SET dtmAanvangNazorg = '2030-01-16', sngRentePerc = 5.06, sngInflPerc = 2, bytBedrijfsGebonden = 0,
    bytObjectGebonden = 1 WHERE idrStort_ID = 1;
UPDATE tblStort SET dtmAanvangNazorg = '2031-01-01' WHERE idrStort_ID = 4;
