-- Version 1 has a fixed design and supervision percentage, version 2 sets the surcharges per replacement
-- item (-999). Item 14 is no longer active; item 11 is in both versions.
INSERT INTO tblStortType VALUES (1, 'stortplaats');
INSERT INTO tblObjectCat VALUES (1, 'Algemeen'), (2, 'Bovenafdichting'), (3, 'Grondwatermonitoringssysteem');
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngRapEvalPerHa,
    sngRapEvalMin, sngRapEvalMax, sngOnvoorzien, sngOntwerpdirectie) VALUES
    (1, 'vast', '2007-03-01', 1, 2006, 225, 3500, 9000, 0.10, 0.12),
    (2, 'per post', '2013-09-15', 1, 2012, 250, 4000, 10000, 0.10, -999);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, bytObjectCat_REF, strVoorz, strOmschrijving,
    bytRubriek_REF, strRefDeelonderz) VALUES
    (11, 1, -1, 1, 'Beheer', 'Administratie', 6, 'D1'),
    (12, 1, -1, 2, 'Bovenafdichting', 'Inspectie', 3, 'D2'),
    (13, 1, -1, 2, 'Bovenafdichting', 'Maaien', 4, NULL),
    (14, 1, 0, 2, 'Bovenafdichting', 'Vervallen post', 4, 'D4'),
    (21, 2, -1, 3, 'Peilbuizen', 'Bemonsteren', 2, 'D3'),
    (22, 2, -1, 1, 'Beheer', 'Verzekeringen', 6, NULL),
    (23, 2, -1, 2, 'Afdekking', 'Maaien', 4, 'D2'),
    (11, 2, -1, 1, 'Beheer', 'Administratie', 6, 'D1');
