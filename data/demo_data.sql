-- Demo facilities for trying the program out.
INSERT INTO tblStort (strStortNaam, strRIVMnr, bytProv_REF, memVestigingsadres, intStortType,
    strVergNaam, strVergPostAdres, strVergContPers, strVergTel, strVergEmail,
    strInvNaam, strInvContPers, sngRentePerc, sngInflPerc, intJaarNazorg, dtmAanvangNazorg,
    intJaarPrijspeil, intCL_REF, bytBedrijfsGebonden, bytObjectGebonden, sngNazorgOpp)
VALUES
    ('Stortplaats De Kragge', 'NB-0712', 70, 'Kraggeweg 12, 4611 PH Bergen op Zoom', 1,
     'Afvalzorg Brabant B.V.', 'Postbus 120, 4600 AC Bergen op Zoom', 'ir. J. van Dongen', '0164-250400',
     'info@afvalzorgbrabant.example', 'Provincie Noord-Brabant', 'drs. M. Verhoeven',
     5.06, 2, 2030, '2030-01-01', 2012, 3, 0, 0, 34.5),
    ('Stortplaats Vlagheide', 'NB-0409', 70, 'Vlagheideweg 1, 5469 SV Schijndel', 1,
     'Regionaal Afvalbedrijf Vlagheide', 'Postbus 33, 5480 AA Schijndel', 'ing. P. Smulders', '073-5431100',
     'info@vlagheide.example', 'Provincie Noord-Brabant', 'drs. M. Verhoeven',
     5.06, 2, 2028, '2028-07-01', 2006, 1, 0, 0, 21.0),
    ('Baggerdepot Hollandsch Diep', 'ZH-1103', 120, 'Haringvlietdijk 4, 3281 LB Numansdorp', 2,
     'Rijkswaterstaat Zuid-Holland', 'Postbus 556, 3000 AN Rotterdam', 'ir. A. de Wit', '010-4026200',
     'depots@rws.example', 'Provincie Zuid-Holland', 'mr. E. Bakker',
     5.06, 2, 2032, '2032-01-16', 2012, 4, 0, 1, 12.75);

-- Forecast waste supply (kilotonnes) of the two landfills whose levy is charged per ton.
INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES
    (1, 2025, 410), (1, 2026, 395), (1, 2027, 380), (1, 2028, 360), (1, 2029, 340),
    (2, 2025, 220), (2, 2026, 215), (2, 2027, 205);
