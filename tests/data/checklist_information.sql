-- Three active items of version 1 for the checklist information of the cost item editor: 20 with criteria
-- of every kind, a reference and a footnote; 21 one-off, a combination post with an explanation; 22 with
-- footnotes in the order of the item's lists, one that is missing and one of another version.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF,
        bytOptieFreq, sngFreqXMin, sngFreqXMax, bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX,
        bytStartBA, intStartJaar, blnStartjaarEerderMag, bytOptieEind, blnCombinatieMogelijk,
        strRefDeelonderz, strVtNtStartjaar, blnVoetnoot1)
    VALUES (20, 1, -1, 'Bovenafdichting', 'Maaien talud', 4, 3, 5, 10, 2, 1000, 2500, 0, 5, -1, 3, -1, 'DO-3',
        '3', -1);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF,
        bytOptieFreq, bytStartBA, intStartJaar, blnIsCombinatiePost, strToelichting, bytOptieEind)
    VALUES (21, 1, -1, 'Bovenafdichting', 'Maaien talud', 4, 1, 1, 2, -1, 'Eenmaal na aanleg.', 3);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF,
        strVtNtStartjaar, strVtNtPrijsPEmax)
    VALUES (22, 1, -1, 'Bovenafdichting', 'Maaien talud', 4, '3,7', ' 4 , 3');
INSERT INTO tblVoetnoot VALUES (1, '3', 'Zie nazorgplan.'), (1, '4', 'Inclusief afvoer.'),
    (2, '7', 'Alleen in een andere versie.');
