-- A data file of a later program version.
UPDATE tblSYS SET strSYSvalue = '40' WHERE strSYS_ID = 'versie';
