-- CentQuennel: the central database shared with the desktop products
-- (ZorvCent.INI [PROGRAM] GlobalSystemFile).
-- Created with DEFAULT CHARACTER SET WIN1252, dialect 3 for new databases.
-- Plain statements that load in dialect 1 and dialect 3 alike. Statements are
-- separated by semicolons, so comments never contain one.

-- One row per product (ASYSTEM, compared ignoring case with [web] System)
-- and profile (CUSERCODE).
CREATE TABLE USERS (
  ASYSTEM             VARCHAR(100) NOT NULL,
  CUSERCODE           VARCHAR(30) NOT NULL,
  ASECURITYCODE       VARCHAR(30),
  LADMINISTRATOR      VARCHAR(5),
  ARESTRICTVIEWFIELD  VARCHAR(100),
  ARESTRICTVIEWVALUE  VARCHAR(100),
  CONSTRAINT PK_USERS PRIMARY KEY (ASYSTEM, CUSERCODE)
);

-- Table rights per security code: None, Full, Update Only, Data Entry, Read Only.
CREATE TABLE TSECTBL (
  AUSERCODE     VARCHAR(30),
  ATABLE        VARCHAR(100),
  ARIGHTS       VARCHAR(100)
);

-- Field rights per security code: None, Read Only, FULL.
CREATE TABLE TSECFLD (
  AUSERCODE     VARCHAR(30),
  ATABLE        VARCHAR(100),
  AFIELD        VARCHAR(100),
  ARIGHTS       VARCHAR(100)
);

-- Employees hidden from a security code.
CREATE TABLE TSECREC (
  AUSERCODE     VARCHAR(30),
  STAFFNO       VARCHAR(20)
);

-- Mail outbox, sent by another product. Rows are only inserted here.
-- Same statement as the program runs when the table is missing.
CREATE TABLE EmailDetails(aEmail VARCHAR(250), iTries integer, ikey integer, DCreated TIMESTAMP, aSent VARCHAR(5), asubject VARCHAR(100), aBody BLOB SUB_TYPE TEXT SEGMENT SIZE 80);
