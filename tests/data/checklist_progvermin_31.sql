-- A checklist file that asks for a newer program.
UPDATE tblSYS SET strSYSvalue = '31' WHERE strSYS_ID = 'progvermin';
