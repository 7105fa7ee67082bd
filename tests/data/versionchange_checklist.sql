-- The checklist of the version change tests. Landfill versions 10 (price level 2005), 11 (2007) and 12 (2007,
-- the same items as 11; both set replacement surcharges per item); the price level rose 2 % in 2006 and 3 % in 2007 (factor 1.0506).
-- Item 301 stays the same, 302 is gone from 11, 303's amounts get stricter (at most 120) and 304's and 306's
-- looser (up to 1 000), 305 gets another description, provision name and category, 303 another rubric, 307 is new in 11.
-- Every item: yearly (X 1) from aftercare year 1 for ever, a total amount per time.
INSERT INTO tblPPcorr (intJaar, sngPPcorr) VALUES (2006, 2), (2007, 3);
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngOntwerpdirectie,
    sngOnvoorzien, sngCommunicatieMIN, sngCommunicatieMAX, sngRapEvalPerHa, sngRapEvalMin, sngRapEvalMax,
    sngAppKostenPerc, sngAppKostenBasisMIN, sngAppKostenBasisMAX) VALUES
    (10, 'oud', '2005-01-01', 1, 2005, 0.12, 0.1, 2000, -999, 225, 3500, 9000, 0.03, 5000, 25000),
    (11, 'nieuw', '2007-01-01', 1, 2007, -999, 0.1, 2000, 50000, 250, 4000, 9000, 0.025, 5000, 27500),
    (12, 'herzien', '2008-01-01', 1, 2007, -999, 0.1, 2000, 50000, 250, 4000, 9000, 0.025, 5000, 27500),
    -- A dredging depot version, and one at a price level before the facility's without known factors.
    (14, 'depot', '2009-01-01', 2, 2007, -999, 0.1, 2000, 50000, 250, 4000, 9000, 0.025, 5000, 27500),
    (13, 'terug', '2006-01-01', 1, 2004, 0.12, 0.15, 2000, -999, 225, 3500, 9000, 0.03, 5000, 25000);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, bytObjectCat_REF, strVoorz, strOmschrijving,
    bytRubriek_REF, intSortNr, intStartJaar, bytStartBA, bytOptieEind, bytEindBA, bytOptieFreq, sngFreqXMin,
    sngFreqXMax, bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX) VALUES
    (301, 10, -1, 2, 'Bovenafdichting', 'Inspecteren', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 200),
    (301, 11, -1, 2, 'Bovenafdichting', 'Inspecteren', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 200),
    (302, 10, -1, 2, 'Bovenafdichting', 'Vervallen post', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 200),
    (303, 10, -1, 2, 'Bovenafdichting', 'Strenger', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 200),
    (303, 11, -1, 2, 'Bovenafdichting', 'Strenger', 3, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 120),
    (304, 10, -1, 2, 'Bovenafdichting', 'Ruimer', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 200),
    (304, 11, -1, 2, 'Bovenafdichting', 'Ruimer', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 1000),
    (306, 10, -1, 2, 'Bovenafdichting', 'Ruimer onvolledig', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 200),
    (306, 11, -1, 2, 'Bovenafdichting', 'Ruimer onvolledig', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 1000),
    (305, 10, -1, 2, 'Bovenafdichting', 'Maaien', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 200),
    (305, 11, -1, 7, 'Afdeklaag', 'Maaien en afvoeren', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 200),
    (307, 11, -1, 2, 'Bovenafdichting', 'Teruggekeerd', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 200),
    (301, 12, -1, 2, 'Bovenafdichting', 'Inspecteren', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 200),
    (303, 12, -1, 2, 'Bovenafdichting', 'Strenger', 3, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 120),
    (304, 12, -1, 2, 'Bovenafdichting', 'Ruimer', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 1000),
    (306, 12, -1, 2, 'Bovenafdichting', 'Ruimer onvolledig', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 1000),
    (305, 12, -1, 7, 'Afdeklaag', 'Maaien en afvoeren', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 200),
    (307, 12, -1, 2, 'Bovenafdichting', 'Teruggekeerd', 4, 1, 1, 0, 3, 0, 2, 1, 1, 2, 100, 200);
-- 308: a one-off expense in aftercare year 1, in every version.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, bytObjectCat_REF, strVoorz, strOmschrijving,
    bytRubriek_REF, intSortNr, intStartJaar, bytStartBA, intEINDJAAR, bytOptieEind, bytEindBA, bytOptieFreq,
    bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX) VALUES
    (308, 10, -1, 2, 'Bovenafdichting', 'Nulmeting', 2, 1, 1, 0, 1, 2, 0, 1, 2, 100, 200),
    (308, 11, -1, 2, 'Bovenafdichting', 'Nulmeting', 2, 1, 1, 0, 1, 2, 0, 1, 2, 100, 200),
    (308, 12, -1, 2, 'Bovenafdichting', 'Nulmeting', 2, 1, 1, 0, 1, 2, 0, 1, 2, 100, 200);
-- Version 13 has the items of version 10.
CREATE TEMP TABLE version13 AS SELECT * FROM tblCLitem WHERE intCL_REF = 10;
UPDATE version13 SET intCL_REF = 13;
INSERT INTO tblCLitem SELECT * FROM version13;
