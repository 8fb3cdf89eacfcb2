-- GlobalQuennel: the global HR database (zorvweb.ini [PROGRAM] GlobalSystemFile).
-- Created with DEFAULT CHARACTER SET WIN1252, dialect 3 for new databases.
-- Plain statements that load in dialect 1 and dialect 3 alike. Statements are
-- separated by semicolons, so comments never contain one.

-- One row of counters. IUNIQUE numbers the key of every new row (NextUnique),
-- STAFFNO numbers generated staff numbers. Further counter columns may be added.
CREATE TABLE SYSNO (
  IUNIQUE       INTEGER,
  STAFFNO       INTEGER
);

-- HR link: one row per employee of every employee database.
CREATE TABLE T_HRLNK (
  STAFFNO       VARCHAR(20) NOT NULL,
  ANAME         VARCHAR(100),
  ADATABASE     VARCHAR(100),
  AFORENAMES    VARCHAR(100),
  ASURNAME      VARCHAR(100),
  AGENDER       VARCHAR(100),
  DDOB          TIMESTAMP,
  CONSTRAINT PK_T_HRLNK PRIMARY KEY (STAFFNO)
);

-- Career triggers per data set (LTRIGGER TRUE = active).
CREATE TABLE T_EVTCAR (
  ADATASET         VARCHAR(100),
  LTRIGGER         VARCHAR(5),
  AEVENTFIELDDESC  VARCHAR(100),
  AEVENTFIELDNAME  VARCHAR(100),
  ADATEFIELD       VARCHAR(100),
  ADESCRIPTION     VARCHAR(100)
);

-- Pay formulas, ADESC is the formula name.
CREATE TABLE TMNTFMLA (
  IFORMULA      INTEGER,
  ADESC         VARCHAR(100)
);

-- Old holiday requests, kept for the desktop products.
CREATE TABLE EMPHOLRQ (
  STAFFNO       VARCHAR(20) NOT NULL,
  IKEY          INTEGER NOT NULL,
  DSTART        TIMESTAMP,
  CONSTRAINT PK_EMPHOLRQ PRIMARY KEY (STAFFNO, IKEY)
);

-- Old holiday request groups, kept for the desktop products.
CREATE TABLE EMPHOLGP (
  STAFFNO       VARCHAR(20) NOT NULL,
  IKEY          INTEGER NOT NULL,
  DSTART        TIMESTAMP,
  CONSTRAINT PK_EMPHOLGP PRIMARY KEY (STAFFNO, IKEY)
);

-- ---------------------------------------------------------------------------
-- Global set: the same tables exist in GlobalQuennel and VizereDivIdid.
-- Which copy a page reads depends on [web] System and [Program] zorvWorkOn.
-- Keep this block identical in global.sql and globalwork.sql (check.sh
-- compares them).
-- ---------------------------------------------------------------------------

-- Field captions and field metadata, one row per table field.
-- Rows with AFIELD 4001 to 4025 name the pay-scale points (Payscale columns).
-- One CAPTION<language> column per caption language.
CREATE TABLE LABEL (
  AFIELD        VARCHAR(100),
  CAPTION       VARCHAR(100),
  CAPTIONGA     VARCHAR(100),
  TABLENAME     VARCHAR(100),
  FIELDNAME     VARCHAR(100),
  ATYPE         VARCHAR(100),
  ALLOWQUERY    VARCHAR(5),
  LMANDATORY    VARCHAR(5),
  IFIELDSIZE    INTEGER,
  AMASK         VARCHAR(100)
);

-- Table to data set registry, with the main date field of each table.
CREATE TABLE TABLES (
  TABLENAME     VARCHAR(100),
  DATASET       VARCHAR(100),
  DATEFIELD     VARCHAR(100)
);

-- Numbered texts, one MESSAGE<language> column per language.
-- MESSAGEEN is also the lookup key of translations.
CREATE TABLE MESSAGES (
  IKEY          INTEGER,
  MESSAGEEN     VARCHAR(255),
  MESSAGEGA     VARCHAR(255)
);

-- Named pick lists. Readers keep the stored order.
CREATE TABLE LOOKUP (
  ATYPE         VARCHAR(100),
  AENTRY        VARCHAR(100)
);

-- Navigation bar items per profile (AUSER holds the profile name).
CREATE TABLE TBUTTONS (
  AUSER         VARCHAR(30),
  IBARNO        INTEGER,
  IPOSITION     INTEGER,
  LVISIBLE      VARCHAR(5),
  ITAG          INTEGER,
  ATEXT         VARCHAR(100),
  IIMAGEINDEX   INTEGER
);

-- Navigation bar panels per profile. The caption starts at character 10 of ALIST.
CREATE TABLE TBARS (
  AUSER         VARCHAR(30),
  IBARNO        INTEGER,
  ALIST         VARCHAR(100)
);

-- Leave year, a single row.
CREATE TABLE PARAMS (
  CURRENTLEAVEYEAR     INTEGER,
  LEAVEYEARSTARTMONTH  INTEGER,
  LEAVEYEARSTARTDAY    INTEGER,
  LEAVEYEARENDDATE     TIMESTAMP
);

-- Leave schemes.
CREATE TABLE TCMPHSCH (
  ISCHEMEID           INTEGER NOT NULL,
  ASCHEME             VARCHAR(100),
  ATYPE               VARCHAR(100),
  LDEFAULTSCHEME      VARCHAR(5),
  IMONTHLYTYPE        INTEGER,
  IMONTHCONSIDERED    INTEGER,
  LINCLUDEWEEKENDS    VARCHAR(5),
  LINCLUDEEXCEPTIONS  VARCHAR(5),
  LALLPERMTHSERVED    VARCHAR(5),
  IALLPERMTHSERVED    DOUBLE PRECISION,
  LROUNDING           VARCHAR(5),
  IROUNDINGTYPE       INTEGER,
  LUSEGRADES          VARCHAR(5),
  CONSTRAINT PK_TCMPHSCH PRIMARY KEY (ISCHEMEID)
);

-- Leave allowance bands of a scheme (IKEY = scheme id), days per year.
CREATE TABLE TCMPHALL (
  IKEY          INTEGER,
  ISERVICEFROM  INTEGER,
  ISERVICETO    INTEGER,
  IALLOWANCE    DOUBLE PRECISION
);

-- Company exception dates (public holidays), optionally per location.
CREATE TABLE TCMPHEXP (
  DDATEFROM     TIMESTAMP,
  ALOCATION     VARCHAR(100)
);

-- Pay grades. NPOINT1 to NPOINT25 are the pay of each point on the scale.
-- the program reaches them only through LABEL rows (TABLENAME payscale,
-- CAPTION = point name, FIELDNAME = column).
CREATE TABLE PAYSCALE (
  GRADE         VARCHAR(100) NOT NULL,
  LEAVE         INTEGER,
  ACURRENCY     VARCHAR(100),
  BWEEKLYHOURS  NUMERIC(15,2),
  NPOINT1       NUMERIC(15,2),
  NPOINT2       NUMERIC(15,2),
  NPOINT3       NUMERIC(15,2),
  NPOINT4       NUMERIC(15,2),
  NPOINT5       NUMERIC(15,2),
  NPOINT6       NUMERIC(15,2),
  NPOINT7       NUMERIC(15,2),
  NPOINT8       NUMERIC(15,2),
  NPOINT9       NUMERIC(15,2),
  NPOINT10      NUMERIC(15,2),
  NPOINT11      NUMERIC(15,2),
  NPOINT12      NUMERIC(15,2),
  NPOINT13      NUMERIC(15,2),
  NPOINT14      NUMERIC(15,2),
  NPOINT15      NUMERIC(15,2),
  NPOINT16      NUMERIC(15,2),
  NPOINT17      NUMERIC(15,2),
  NPOINT18      NUMERIC(15,2),
  NPOINT19      NUMERIC(15,2),
  NPOINT20      NUMERIC(15,2),
  NPOINT21      NUMERIC(15,2),
  NPOINT22      NUMERIC(15,2),
  NPOINT23      NUMERIC(15,2),
  NPOINT24      NUMERIC(15,2),
  NPOINT25      NUMERIC(15,2),
  CONSTRAINT PK_PAYSCALE PRIMARY KEY (GRADE)
);

-- Company information.
CREATE TABLE COMPINFO (
  ANAME         VARCHAR(100) NOT NULL,
  HOURSPERWEEK  NUMERIC(15,2),
  CONSTRAINT PK_COMPINFO PRIMARY KEY (ANAME)
);

-- Allowance codes.
CREATE TABLE TCMPSP (
  ASPCODE       VARCHAR(100),
  ASPDESC       VARCHAR(100)
);

-- Currencies.
CREATE TABLE TCURRNCY (
  ACURRENCY     VARCHAR(100)
);

-- Pay codes. The row with LDEFAULT TRUE is the fallback code.
CREATE TABLE TPAYCODE (
  ADESC         VARCHAR(100),
  APAYCODE      VARCHAR(100),
  LDEFAULT      VARCHAR(5)
);

-- Cost codes.
CREATE TABLE TCOSTCODE (
  ACOSTCODE     VARCHAR(100),
  ADESC         VARCHAR(100)
);

-- Cost areas (cost centres).
CREATE TABLE TAREA (
  IAREA         INTEGER,
  ADESC         VARCHAR(100)
);
