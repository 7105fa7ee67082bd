-- Items of versions 1 to 3 for the checklist tests: the combination posts of version 1 are 1 and 5 (3 is
-- inactive, 4 of version 2, 6 of version 3 may only be combined); items 1 and 2 have typical values, 2 with
-- once every 0 to 10 years.
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, bytRubriek_REF,
        blnIsCombinatiePost, blnCombinatieMogelijk, sngAantalMIN, sngAantalMAX, sngPrijsPEmax, sngKostenInvestMIN,
        sngPercInvestMIN, sngPercInvestMAX, sngFreqXMin, sngFreqXMax)
    VALUES (1, 1, -1, 'Bovenafdichting', 'Maaien talud', 4, -1, NULL, 10, 25, 40, 1000, 1, 2, 5, 10),
        (2, 1, -1, 'Bovenafdichting', 'Maaien talud', 4, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, 10),
        (3, 1, 0, 'Bovenafdichting', 'Maaien talud', 4, -1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
        (4, 2, -1, 'Bovenafdichting', 'Maaien talud', 4, -1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
        (5, 1, -1, 'Bovenafdichting', 'Maaien talud', 4, -1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
        (6, 3, -1, 'Bovenafdichting', 'Maaien talud', 4, NULL, -1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
