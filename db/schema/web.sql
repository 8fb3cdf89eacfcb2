-- QuennelMain: the web database ([PROGRAM] webFile): logins, screen rights,
-- record-screen layouts, logon audit, absence sign-off and doctors' claims.
-- Created with DEFAULT CHARACTER SET WIN1252, dialect 3 for new databases.
-- Plain statements that load in dialect 1 and dialect 3 alike. Statements are
-- separated by semicolons, so comments never contain one.
-- Tables that the program also creates or widens by itself when missing use
-- the very column types of those statements.

-- Web logins. APASSWORD is compared ignoring case. AGROUP is an employee
-- group or VIEW SELF ONLY. LASTDB is a DBLIST name.
CREATE TABLE TLOGIN (
  AUSER         VARCHAR(30) NOT NULL,
  ASTAFFNO      VARCHAR(20) NOT NULL,
  APASSWORD     VARCHAR(128),
  APROFILE      VARCHAR(30),
  AGROUP        VARCHAR(100),
  LASTDB        VARCHAR(100),
  ALANGUAGE     VARCHAR(30),
  CONSTRAINT PK_TLOGIN PRIMARY KEY (AUSER, ASTAFFNO)
);

-- Remember-me cookies: the hash of each token (never the token), the login
-- it stands for and its life, in UTC. A token is revoked when used, at logout
-- and when the password changes.
CREATE TABLE TREMEMBER (
  ATOKENHASH    VARCHAR(64) NOT NULL,
  AUSER         VARCHAR(30) NOT NULL,
  ASTAFFNO      VARCHAR(20) NOT NULL,
  DISSUEDUTC    TIMESTAMP NOT NULL,
  DEXPIRESUTC   TIMESTAMP NOT NULL,
  DREVOKEDUTC   TIMESTAMP,
  CONSTRAINT PK_TREMEMBER PRIMARY KEY (ATOKENHASH)
);

-- Screen rights per login, updated by AUSER, ASCREEN and IKEY.
create table tuserSec ( AUSER VARCHAR(30), AScreen varchar(30), Arights varchar(30), IKEY integer );

-- Field layout of a record screen (ITAG), one row per field.
CREATE TABLE TUSRSCR (
  ITAG            INTEGER NOT NULL,
  AFIELDNAME      VARCHAR(100) NOT NULL,
  ILABELLEFT      INTEGER,
  ILABELTOP       INTEGER,
  ILABELHEIGHT    INTEGER,
  ILABELWIDTH     INTEGER,
  IDATALEFT       INTEGER,
  IDATATOP        INTEGER,
  IDATAHEIGHT     INTEGER,
  IDATAWIDTH      INTEGER,
  ACOMTYPE        VARCHAR(100),
  LVISIBLE        VARCHAR(5),
  ALOOKUP         VARCHAR(100),
  ACAPTION        VARCHAR(100),
  IZINDEX         INTEGER,
  ALABELFONT      VARCHAR(100),
  ALABELCOLOUR    VARCHAR(100),
  LLABELBOLD      VARCHAR(5),
  ILABELFONTSIZE  INTEGER,
  ADATAFONT       VARCHAR(100),
  ADATACOLOUR     VARCHAR(100),
  LDATABOLD       VARCHAR(5),
  IDATAFONTSIZE   INTEGER,
  LLABELVIS       VARCHAR(5),
  CONSTRAINT PK_TUSRSCR PRIMARY KEY (ITAG, AFIELDNAME)
);

-- Free text boxes of a record screen. A caption starting with %SQL% holds a
-- statement whose result is shown, hence the width. One ACAPTION<language>
-- column per caption language.
CREATE TABLE TUSRREC (
  ITAG            INTEGER NOT NULL,
  IID             INTEGER NOT NULL,
  ILABELLEFT      INTEGER,
  ILABELTOP       INTEGER,
  ILABELHEIGHT    INTEGER,
  ILABELWIDTH     INTEGER,
  ACAPTION        VARCHAR(1000),
  ACAPTIONGA      VARCHAR(1000),
  AHALIGN         VARCHAR(100),
  AVALIGN         VARCHAR(100),
  ALABELFONT      VARCHAR(100),
  ALABELCOLOUR    VARCHAR(100),
  LLABELBOLD      VARCHAR(5),
  ILABELFONTSIZE  INTEGER,
  ARECCOLOUR      VARCHAR(100),
  IZINDEX         INTEGER,
  CONSTRAINT PK_TUSRREC PRIMARY KEY (ITAG, IID)
);

-- Record-screen registry: tag, data source and query of the main data
-- module, caption, table name.
CREATE TABLE TTAGEVTS (
  ITAG          INTEGER NOT NULL,
  ADATASET      VARCHAR(100),
  AQUERY        VARCHAR(100),
  ADESC         VARCHAR(100),
  ATABLENAME    VARCHAR(100),
  CONSTRAINT PK_TTAGEVTS PRIMARY KEY (ITAG)
);

-- Logon audit, one row per attempt.
CREATE TABLE LOGIP(IPADDRESS VARCHAR(20), DLOGGED TIMESTAMP, AREASON VARCHAR(200), AUsername VARCHAR(100), Astaffno VARCHAR(100));

-- Absence sign-offs made, per user and period.
create table absSign(auser varchar(20),ikey integer,dsignoff timestamp,iPeriod integer,iYear integer);

-- Users who must sign off absences. DEND 30/12/1899 means no end.
create table ABSSignUser(auser varchar(20),ikey integer,dstart timestamp,dend timestamp);

-- Doctors' claims: one row per doctor and day. A0 to A23 hold the hour code
-- of each hour (up to three WIN1252 characters, for example the single-byte
-- fractions). The I columns are hours, IAD absence days.
CREATE TABLE NCHDHRS (
  STAFFNO       VARCHAR(20),
  IKEY          INTEGER,
  DDATE         TIMESTAMP,
  A0            VARCHAR(3),
  A1            VARCHAR(3),
  A2            VARCHAR(3),
  A3            VARCHAR(3),
  A4            VARCHAR(3),
  A5            VARCHAR(3),
  A6            VARCHAR(3),
  A7            VARCHAR(3),
  A8            VARCHAR(3),
  A9            VARCHAR(3),
  A10           VARCHAR(3),
  A11           VARCHAR(3),
  A12           VARCHAR(3),
  A13           VARCHAR(3),
  A14           VARCHAR(3),
  A15           VARCHAR(3),
  A16           VARCHAR(3),
  A17           VARCHAR(3),
  A18           VARCHAR(3),
  A19           VARCHAR(3),
  A20           VARCHAR(3),
  A21           VARCHAR(3),
  A22           VARCHAR(3),
  A23           VARCHAR(3),
  IHOURS        NUMERIC(15,2),
  IONCALL       NUMERIC(15,2),
  ITOTAL        NUMERIC(15,2),
  IUR           DECIMAL(15,2),
  IAL           DECIMAL(15,2),
  IANNUAL       DECIMAL(15,2),
  ISL           DECIMAL(15,2),
  IAD           DECIMAL(15,2),
  ICALLIN       DECIMAL(15,2)
);

CREATE INDEX IX_NCHDHRS_STAFFNO ON NCHDHRS (STAFFNO);

-- Claim month header per doctor. AMONTHYEAR is MMYYYY. MWEEK1 to MWEEK5
-- explain the unrostered hours of each week. DEFROM/DETO and DFFROM/DFTO
-- are the uncertified and certified sick leave dates.
CREATE TABLE NCHDSUB (
  STAFFNO       VARCHAR(20),
  IKEY          INTEGER,
  DSUBMIT       TIMESTAMP,
  AMONTHYEAR    VARCHAR(6),
  LAPPROVED     VARCHAR(5),
  AAPPBY        VARCHAR(100),
  AAPPON        TIMESTAMP,
  MWEEK1        BLOB SUB_TYPE TEXT SEGMENT SIZE 80,
  MWEEK2        BLOB SUB_TYPE TEXT SEGMENT SIZE 80,
  MWEEK3        BLOB SUB_TYPE TEXT SEGMENT SIZE 80,
  MWEEK4        BLOB SUB_TYPE TEXT SEGMENT SIZE 80,
  MWEEK5        BLOB SUB_TYPE TEXT SEGMENT SIZE 80,
  LQUESA        VARCHAR(5),
  LQUESB        VARCHAR(5),
  LQUESC        VARCHAR(5),
  LQUESD        VARCHAR(5),
  LQUESTE       VARCHAR(5),
  LQUESTF       VARCHAR(5),
  DEFROM        TIMESTAMP,
  DETO          TIMESTAMP,
  DFFROM        TIMESTAMP,
  DFTO          TIMESTAMP,
  MAPPROVE      BLOB SUB_TYPE TEXT SEGMENT SIZE 80
);

-- On-call rotas of a claim month, one row each.
CREATE TABLE NCHDROTA (
  STAFFNO       VARCHAR(20),
  IKEY          INTEGER,
  AMONTHYEAR    VARCHAR(6),
  AROTA         VARCHAR(100)
);

-- Posts and their four-weekly limits. APOSTNUMBER matches the master
-- column named by [NCHD] MasterField.
create table NCHDRostered(Groupname varchar(50),ikey integer,aTitle varchar(20),aSurname varchar(50),aforename varchar(50),Aspec varchar(100),iBasic integer,iOT integer,iOnCall integer,iStand integer,aPostnumber varchar(100),aRatio varchar(100));

-- Approved claim months for the pay run, updated by STAFFNO, DDATE, L5WEEK.
CREATE TABLE NCHDWORK(STAFFNO VARCHAR(20), ikey integer, DDATE TIMESTAMP, L5WEEK VARCHAR(5));
