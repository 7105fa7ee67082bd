-- Version 7 sets surcharges per item, version 8 does not. Facility 1 has a provision without cost
-- items; facility 2 an incomplete cost item behind a complete one; facility 3 only complete ones;
-- facilities 4 (version 7) and 5 (version 8) a replacement without surcharge type.
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, sngOntwerpdirectie) VALUES
    (7, 'per post', '2020-01-01', 1, -999), (8, 'vast', '2015-01-01', 1, 12);
