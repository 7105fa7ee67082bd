-- Facility 1, Noord (version 1, 21 ha), has every block: provisions, three cost items and a forecast with
-- an empty year; it still lists item 13, as the cost item that refers to it became the user's own.
-- Facility 2 (version 2: differentiated surcharges; no area, no aftercare start) has nothing else and took
-- nothing over from the checklist. Facilities 3 (version 1, 50 ha) and 4 (version 1, 8 ha) have their
-- reporting costs at the maximum and the minimum; 3 took over every item of its version (one twice), 4 has
-- no cost items.
INSERT INTO tblStort (idrStort_ID, strStortNaam, strRIVMnr, bytProv_REF, memVestigingsadres, intStortType,
    strVergNaam, strVergPostAdres, strVergContPers, strVergTel, strVergFax, strVergEmail,
    strInvNaam, strInvPostAdres, strInvContPers, strInvTel, strInvFax, strInvEmail,
    sngRentePerc, sngInflPerc, dtmAanvangNazorg, intJaarPrijspeil, intCL_REF, bytBedrijfsGebonden,
    bytObjectGebonden, sngNazorgOpp, sngAlgAppKostenBasis, sngAppKostenPerc, bytRapEval, sngRapEvalMin,
    sngRapEvalPerHa, sngRapEvalMax, sngAlgCommunicatieKosten, sngOnvoorzien, sngOntwerpdirectie,
    sngAlgRisicoBedrag) VALUES
    (1, 'Stortplaats Noord', 'GR-0101', 50, 'Dijkweg 1, 9999 AA Ergens', 1,
     'Afvalbedrijf Noord', 'Postbus 1, 9999 AA Ergens', 'J. Jansen', '050-1111111', '050-1111112',
     'info@noord.example',
     'Provincie Groningen', 'Postbus 2, 9700 AA Groningen', 'P. Pieters', '050-2222222', '050-2222223',
     'nazorg@groningen.example',
     4, 2.5, '2030-01-01', 2006, 1, 0, 0, 21, 16000, 3, 2, 3500, 225, 9000, 7500, 10, 12, 250000),
    (2, 'Depot Zuid', 'ZH-0202', 120, NULL, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
     NULL, NULL, 5.06, 2, NULL, 2012, 2, 1, 1, NULL, 6000, 3, 0, 4000, 250, 10000, 2500, 10, 0, 0),
    (3, 'Stortplaats Oost', 'DR-0303', 10, NULL, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
     NULL, NULL, 4, 2, '2031-01-01', 2006, 1, 0, 0, 50, 5000, 3, 3, 3500, 225, 9500, 2000, 10, 12, 0),
    (4, 'Stortplaats West', 'NH-0404', 80, NULL, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
     NULL, NULL, 4, 2, '2031-01-01', 2006, 1, 0, 0, 8, 5000, 3, 1, 3200, 225, 9000, 2000, 10, 12, 0);
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (1, 1, 2, 'Bovenafdichting'), (2, 1, 1, 'Beheer'), (3, 1, 2, 'Afdekking'),
    (4, 3, 1, 'Beheer'), (5, 3, 2, 'Bovenafdichting');
INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, lngClitem_REF, bytIsTALVO, strAct,
    bytRubriek_REF, bytOptieStart, intStartAbs, intStartRel, bytStartBA, intStartBA, bytOptieEind,
    intEindRel, bytEindBA, bytOptieFreq, intFreqX, bytOptieKosten, sngPercInvest, sngKostenInvest,
    sngKostenTotaal, sngKostenPE, sngAantal, strEenheid, strNazorgplanRef, strOpm) VALUES
    (1, 1, 2, 11, 1, 'Administratie', 6, 2, NULL, 1, 0, NULL, 3, NULL, 0, 2, 1, 2, NULL, NULL, 1000, NULL,
     NULL, NULL, 'par. 3', NULL),
    (2, 1, 1, 12, 2, 'Inspectie', 3, 1, 2012, NULL, 1, 3, 3, NULL, 0, 1, NULL, 3, NULL, NULL, NULL, 40, 2.5,
     'ha', NULL, 'eens'),
    (3, 1, 3, 13, 0, 'Eigen post', 4, 2, NULL, 5, 0, NULL, 2, 10, 0, 3, 2, 1, 4.5, 48000, NULL, NULL, NULL,
     NULL, NULL, NULL),
    (4, 3, 4, 11, 1, 'Administratie', 6, 2, NULL, 1, 0, NULL, 3, NULL, 0, 2, 1, 2, NULL, NULL, 1000, NULL,
     NULL, NULL, NULL, NULL),
    (5, 3, 4, 11, 1, 'Administratie', 6, 2, NULL, 31, 0, NULL, 3, NULL, 0, 2, 1, 2, NULL, NULL, 1200, NULL,
     NULL, NULL, NULL, NULL),
    (6, 3, 5, 12, 1, 'Inspectie', 3, 2, NULL, 1, 0, NULL, 3, NULL, 0, 2, 1, 2, NULL, NULL, 500, NULL,
     NULL, NULL, NULL, NULL),
    (7, 3, 5, 13, 2, 'Maaien', 4, 2, NULL, 1, 0, NULL, 3, NULL, 0, 2, 1, 2, NULL, NULL, 800, NULL,
     NULL, NULL, NULL, NULL);
INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES (1, 2027, 120), (1, 2025, 100), (1, 2026, NULL);
