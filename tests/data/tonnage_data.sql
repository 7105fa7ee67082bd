-- Waste supply forecasts. Facility 1: an ordinary forecast with one amount not entered. Facility 2: another
-- facility's rows. Facilities 10 to 16: one case each for the year rule (10 unbroken but stored out of order,
-- 11 a gap, 12 a year twice, 13 an empty year between valid ones, 14 only an empty year, 15 no rows,
-- 16 a repeat at the start of an otherwise unbroken run).
INSERT INTO tblTonnage (idrTonnage_ID, lngStort_REF, intKalJaar, lngTonnage) VALUES
    (1, 1, 2026, 230), (2, 1, 2025, 1000), (3, 1, 2027, NULL), (4, 2, 2025, 5), (5, 2, 2028, 7);
INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES
    (10, 2012, 1), (10, 2010, 1), (10, 2011, 1),
    (11, 2010, 1), (11, 2012, 1),
    (12, 2010, 1), (12, 2010, 1),
    (13, 2010, 1), (13, NULL, 1), (13, 2011, 1),
    (14, NULL, 1),
    (16, 2011, 1), (16, 2011, 1), (16, 2012, 1);
