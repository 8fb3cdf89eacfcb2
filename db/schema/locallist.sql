-- Zorv-Localdat: the database list, a database file tables.fdb in the
-- database-list folder ([PROGRAM] DBListDirectory + dblist, else
-- [PROGRAM] LocalDataDirectory).
-- Created with DEFAULT CHARACTER SET WIN1252, dialect 3 for new databases.
-- Plain statements that load in dialect 1 and dialect 3 alike. Statements are
-- separated by semicolons, so comments never contain one.

-- Employee databases. NAME is shown to users and gives the alias
-- dbZorv + NAME, LOCATION is the database path (host:/path for a server).
CREATE TABLE DBLIST (
  NAME          VARCHAR(100) NOT NULL,
  LOCATION      VARCHAR(255),
  CONSTRAINT PK_DBLIST PRIMARY KEY (NAME)
);
