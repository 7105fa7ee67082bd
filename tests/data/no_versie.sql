-- A damaged data file: tblSYS has no 'versie' row.
DELETE FROM tblSYS WHERE strSYS_ID = 'versie';
