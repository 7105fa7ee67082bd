-- Checklist file contents: system values, facility types, object categories, the checklist
-- versions with their surcharge parameters, and the yearly consumer price changes.

INSERT INTO tblSYS (strSYS_ID, strSYSvalue) VALUES ('versie', '14');
INSERT INTO tblSYS (strSYS_ID, strSYSvalue) VALUES ('progvermin', '30');

INSERT INTO tblStortType VALUES (1, 'stortplaats');
INSERT INTO tblStortType VALUES (2, 'baggerdepot');

INSERT INTO tblObjectCat VALUES (1, 'Algemeen');
INSERT INTO tblObjectCat VALUES (2, 'Bovenafdichting');
INSERT INTO tblObjectCat VALUES (3, 'Grondwatermonitoringssysteem');
INSERT INTO tblObjectCat VALUES (4, 'Percolaatopvangsysteem');
INSERT INTO tblObjectCat VALUES (5, 'Stortgasonttrekking');
INSERT INTO tblObjectCat VALUES (6, 'Grondwaterbeheerssysteem');
INSERT INTO tblObjectCat VALUES (7, 'Overig');

-- Two versions per facility type: the older one with a fixed design and supervision
-- percentage, the newer one with replacement surcharges per cost item (-999); for landfills also a
-- revised edition of the newer one at the same price level year.
-- The older landfill version has no maximum for the communication costs (-999).
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, strOpmerking,
    sngCommunicatieMIN, sngCommunicatieMAX, sngRapEvalPerHa, sngRapEvalMin, sngRapEvalMax,
    sngAppKostenBasisMIN, sngAppKostenBasisMAX, sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie,
    sngVervangingstoeslagKleineWerken, sngVervangingstoeslagGroteWerkenMin, sngVervangingstoeslagGroteWerkenMax)
VALUES
    (1, 'TALVO-checklist stortplaatsen 2007', '2007-03-01', 1, 2006,
     'Eerste vastgestelde versie voor stortplaatsen.',
     2000, -999, 225, 3500, 9000, 5000, 25000, 0.03, 0.10, 0.12, 0, 0, 0),
    (2, 'TALVO-checklist baggerdepots 2007', '2007-03-01', 2, 2006,
     'Eerste vastgestelde versie voor baggerdepots.',
     1000, 10000, 150, 2500, 6000, 2500, 15000, 0.03, 0.10, 0.12, 0, 0, 0),
    (3, 'TALVO-checklist stortplaatsen 2013', '2013-09-15', 1, 2012,
     'Vervangingstoeslagen per kostenpost; geactualiseerde eenheidsprijzen.',
     2000, 50000, 250, 4000, 10000, 5500, 27500, 0.03, 0.10, -999, 0.15, 0.10, 0.20),
    (4, 'TALVO-checklist baggerdepots 2013', '2013-09-15', 2, 2012,
     'Vervangingstoeslagen per kostenpost; geactualiseerde eenheidsprijzen.',
     1000, 12500, 165, 2750, 6500, 2750, 16500, 0.03, 0.10, -999, 0.15, 0.10, 0.20),
    (5, 'TALVO-checklist stortplaatsen 2013, herziene uitgave', '2014-06-01', 1, 2012,
     'Herziene uitgave: bredere kostengrenzen lekdetectie; prijspeil ongewijzigd.',
     2000, 50000, 250, 4000, 10000, 5500, 27500, 0.03, 0.10, -999, 0.15, 0.10, 0.20);

-- Yearly change of the consumer price index (all households), in percent.
INSERT INTO tblPPcorr VALUES (2000, 2.3);
INSERT INTO tblPPcorr VALUES (2001, 4.2);
INSERT INTO tblPPcorr VALUES (2002, 3.3);
INSERT INTO tblPPcorr VALUES (2003, 2.1);
INSERT INTO tblPPcorr VALUES (2004, 1.2);
INSERT INTO tblPPcorr VALUES (2005, 1.7);
INSERT INTO tblPPcorr VALUES (2006, 1.1);
INSERT INTO tblPPcorr VALUES (2007, 1.6);
INSERT INTO tblPPcorr VALUES (2008, 2.5);
INSERT INTO tblPPcorr VALUES (2009, 1.2);
INSERT INTO tblPPcorr VALUES (2010, 1.3);
INSERT INTO tblPPcorr VALUES (2011, 2.3);
INSERT INTO tblPPcorr VALUES (2012, 2.5);
INSERT INTO tblPPcorr VALUES (2013, 2.5);
INSERT INTO tblPPcorr VALUES (2014, 1.0);
INSERT INTO tblPPcorr VALUES (2015, 0.6);
INSERT INTO tblPPcorr VALUES (2016, 0.3);
INSERT INTO tblPPcorr VALUES (2017, 1.4);
INSERT INTO tblPPcorr VALUES (2018, 1.7);
INSERT INTO tblPPcorr VALUES (2019, 2.6);
INSERT INTO tblPPcorr VALUES (2020, 1.3);
INSERT INTO tblPPcorr VALUES (2021, 2.7);
INSERT INTO tblPPcorr VALUES (2022, 10.0);
INSERT INTO tblPPcorr VALUES (2023, 3.8);
INSERT INTO tblPPcorr VALUES (2024, 3.3);
INSERT INTO tblPPcorr VALUES (2025, 3.0);
INSERT INTO tblPPcorr VALUES (2026, 2.6);
