-- Checklist items per version: cost item templates with their criteria.

-- Mowing the cap: twice a year, perpetual, unit price per square metre.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, bytObjectCat_REF, strVoorz, strOmschrijving,
    bytRubriek_REF, intSortNr, strRefDeelonderz, blnIsCombinatiePost, blnCombinatieMogelijk, intStartJaar,
    blnStartjaarEerderMag, bytStartBA, intEINDJAAR, bytOptieEind, bytEindBA, bytOptieFreq, sngFreqXMin, sngFreqXMax,
    bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, strEenheid, sngAantalMIN, sngAantalMAX, bytTypeVervangingsToeslag,
    strToelichting, blnVoetnoot1)
VALUES
    (101, 1, -1, 2, 'Bovenafdichting', 'Maaien', 4, 10, 'Deelonderzoek onderhoud', 0, -1, 1, 0, 0, NULL, 3, 0,
     2, 2, 2, 3, 0.08, 0.15, 'm2', NULL, NULL, 0, 'Twee maal per jaar maaien en afvoeren van maaisel.', 0),
    (101, 3, -1, 2, 'Bovenafdichting', 'Maaien', 4, 10, 'Deelonderzoek onderhoud', 0, -1, 1, 0, 0, NULL, 3, 0,
     2, 2, 2, 3, 0.09, 0.17, 'm2', NULL, NULL, 0, 'Twee maal per jaar maaien en afvoeren van maaisel.', 0),
    (101, 2, -1, 2, 'Afdekking', 'Maaien', 4, 10, 'Deelonderzoek onderhoud', 0, 0, 1, 0, 0, NULL, 3, 0,
     2, 1, 2, 3, 0.08, 0.15, 'm2', NULL, NULL, 0, 'Maaien van de afdeklaag.', 0),
    (101, 4, -1, 2, 'Afdekking', 'Maaien', 4, 10, 'Deelonderzoek onderhoud', 0, 0, 1, 0, 0, NULL, 3, 0,
     2, 1, 2, 3, 0.09, 0.17, 'm2', NULL, NULL, 0, 'Maaien van de afdeklaag.', 0);

-- Sampling the monitoring wells: yearly, perpetual.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, bytObjectCat_REF, strVoorz, strOmschrijving,
    bytRubriek_REF, intSortNr, blnIsCombinatiePost, blnCombinatieMogelijk, intStartJaar, blnStartjaarEerderMag,
    bytStartBA, bytOptieEind, bytEindBA, bytOptieFreq, sngFreqXMin, sngFreqXMax, bytOptieKosten, sngPrijsPEmin,
    sngPrijsPEmax, strEenheid, bytTypeVervangingsToeslag, strToelichting, blnVoetnoot1)
VALUES
    (201, 1, -1, 3, 'Peilbuizen', 'Bemonsteren en analyseren peilbuizen', 2, 10, 0, 0, 1, 0, 0, 3, 0, 2, 1, 1, 3,
     350, 600, 'peilbuis', 0, 'Jaarlijkse bemonstering volgens het monitoringsplan.', 0),
    (201, 3, -1, 3, 'Peilbuizen', 'Bemonsteren en analyseren peilbuizen', 2, 10, 0, 0, 1, 0, 0, 3, 0, 2, 1, 1, 3,
     400, 650, 'peilbuis', 0, 'Jaarlijkse bemonstering volgens het monitoringsplan.', 0),
    (201, 2, -1, 3, 'Peilbuizen', 'Bemonsteren en analyseren peilbuizen', 2, 10, 0, 0, 1, 0, 0, 3, 0, 2, 1, 1, 3,
     350, 600, 'peilbuis', 0, 'Jaarlijkse bemonstering volgens het monitoringsplan.', 0),
    (201, 4, -1, 3, 'Peilbuizen', 'Bemonsteren en analyseren peilbuizen', 2, 10, 0, 0, 1, 0, 0, 3, 0, 2, 1, 1, 3,
     400, 650, 'peilbuis', 0, 'Jaarlijkse bemonstering volgens het monitoringsplan.', 0);

-- Replacing the monitoring wells: once every 25 to 35 years, a large work.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, bytObjectCat_REF, strVoorz, strOmschrijving,
    bytRubriek_REF, intSortNr, blnIsCombinatiePost, blnCombinatieMogelijk, intStartJaar, blnStartjaarEerderMag,
    bytStartBA, bytOptieEind, bytEindBA, bytOptieFreq, sngFreqXMin, sngFreqXMax, bytOptieKosten, sngPrijsPEmin,
    sngPrijsPEmax, strEenheid, bytTypeVervangingsToeslag, strToelichting, blnVoetnoot1)
VALUES
    (202, 1, -1, 3, 'Peilbuizen', 'Vervangen peilbuizen', 5, 20, 0, 0, 30, -1, 0, 3, 0, 3, 25, 35, 3, 1500, 3000,
     'peilbuis', 2, 'Vervangen van peilbuizen aan het einde van hun levensduur.', -1),
    (202, 3, -1, 3, 'Peilbuizen', 'Vervangen peilbuizen', 5, 20, 0, 0, 30, -1, 0, 3, 0, 3, 25, 35, 3, 1700, 3300,
     'peilbuis', 2, 'Vervangen van peilbuizen aan het einde van hun levensduur.', -1),
    (202, 2, -1, 3, 'Peilbuizen', 'Vervangen peilbuizen', 5, 20, 0, 0, 30, -1, 0, 3, 0, 3, 25, 35, 3, 1500, 3000,
     'peilbuis', 2, 'Vervangen van peilbuizen aan het einde van hun levensduur.', -1),
    (202, 4, -1, 3, 'Peilbuizen', 'Vervangen peilbuizen', 5, 20, 0, 0, 30, -1, 0, 3, 0, 3, 25, 35, 3, 1700, 3300,
     'peilbuis', 2, 'Vervangen van peilbuizen aan het einde van hun levensduur.', -1);
