-- VizereDivIdid: the global time-and-attendance database
-- (zorvweb.ini [PROGRAM] WorkGlobalSystemFile).
-- Created with DEFAULT CHARACTER SET WIN1252, dialect 3 for new databases.
-- Plain statements that load in dialect 1 and dialect 3 alike. Statements are
-- separated by semicolons, so comments never contain one.
-- Times of day are TIMESTAMP values dated 30/12/1899. Working-time quantities
-- are minutes held as DOUBLE PRECISION whatever the column prefix says.

-- Payroll sign-off lines. NVALUE and NORIGINALVALUE are minutes.
-- Same statement as the program runs when the table is missing.
create table PaySign(staffno varchar(20),ikey integer,dstart timestamp,dend timestamp,aPaytype varchar(100),acode varchar(100),aCentre varchar(100),aOrigPaytype varchar(100),aOrigcode varchar(100),aOrigCentre varchar(100),aUSER varchar(100),nvalue DECIMAL(15,2),nOriginalvalue DECIMAL(15,2),lholiday varchar(5),LbankHol varchar(5),llock varchar(5),mComments BLOB SUB_TYPE TEXT SEGMENT SIZE 80);

CREATE INDEX IX_PAYSIGN_STAFFNO ON PAYSIGN (STAFFNO);

-- Company week templates, one row per template and weekday (upper-case
-- English weekday name). IHOURS is the expected minutes of the day.
-- Not the employee day rows of the same name in each employee database.
CREATE TABLE TTPLWEEK (
  ATEMPLATE      VARCHAR(100) NOT NULL,
  ADAYOFWEEK     VARCHAR(100) NOT NULL,
  IDAYSEQ        INTEGER,
  TSTART         TIMESTAMP,
  TEND           TIMESTAMP,
  ASTART         VARCHAR(100),
  AEND           VARCHAR(100),
  IHOURS         DOUBLE PRECISION,
  ADESC          VARCHAR(100),
  AWEEKTEMPLATE  VARCHAR(100),
  TSTARTGRACE    TIMESTAMP,
  TENDGRACE      TIMESTAMP,
  THOURS         TIMESTAMP,
  CONSTRAINT PK_TTPLWEEK PRIMARY KEY (ATEMPLATE, ADAYOFWEEK)
);

-- Cycle templates: first day of the cycle and its length in days.
CREATE TABLE TTPLCYC (
  ACYCLETEMPLATE  VARCHAR(100),
  ADESC           VARCHAR(100),
  DCYCLESTART     TIMESTAMP,
  IDAYS           INTEGER
);

-- Week template of each week (IWEEKNO from 1) of a cycle.
CREATE TABLE TTPLCYCW (
  ACYCLETEMPLATE  VARCHAR(100),
  AWEEKTEMPLATE   VARCHAR(100),
  IWEEKNO         INTEGER
);

-- Events of a template day. ADAYTEMPLATE is the week template name.
CREATE TABLE TTPLDAY (
  ADAYTEMPLATE   VARCHAR(100),
  ADAYOFWEEK     VARCHAR(100),
  TSTART         TIMESTAMP,
  TEND           TIMESTAMP,
  IEVENTMINS     DOUBLE PRECISION,
  AEVENT         VARCHAR(100),
  AEVENTCLASS    VARCHAR(100),
  LPAID          VARCHAR(5),
  LBREAK         VARCHAR(5),
  IPAYCAT        INTEGER,
  ICODE          INTEGER,
  APAYCODE       VARCHAR(100),
  IAREA          INTEGER
);

-- Template list with the two supplements copied into new week headers.
CREATE TABLE TTPLWORK (
  ATEMPLATE      VARCHAR(100),
  NSP1           NUMERIC(15,2),
  NSP2           NUMERIC(15,2)
);

-- Overtime schemes, matched upper-case with TWEEKTPL.AOVERTIME.
-- The BOT*HOURS band sizes are hours. The event, class and fixed columns
-- after LMAXBASICEXPECTED are kept for the desktop products.
CREATE TABLE TOVERTME (
  ASCHEME             VARCHAR(100) NOT NULL,
  ADESCRIPTION        VARCHAR(100),
  LDAY                VARCHAR(5),
  LTARGET             VARCHAR(5),
  BOT1HOURS           NUMERIC(15,2),
  BOT2HOURS           NUMERIC(15,2),
  BOT3HOURS           NUMERIC(15,2),
  BOTPREHOURS         NUMERIC(15,2),
  APAYOT1             VARCHAR(100),
  APAYOT2             VARCHAR(100),
  APAYOT3             VARCHAR(100),
  APAYPREOT           VARCHAR(100),
  LOVERRIDE           VARCHAR(5),
  LROUNDOT            VARCHAR(5),
  AROUNDRULE          VARCHAR(100),
  IROUNDMINS          INTEGER,
  IROUNDUPMINS        INTEGER,
  ANORMALROUNDRULE    VARCHAR(100),
  INORMALROUNDMINS    INTEGER,
  INORMALROUNDUPMINS  INTEGER,
  AMORNROUNDRULE      VARCHAR(100),
  IMORNROUNDMINS      INTEGER,
  IMORNROUNDUPMINS    INTEGER,
  LMUSTWORKBASICMORN  VARCHAR(5),
  LMUSTWORKBASICOT    VARCHAR(5),
  LBEFOREMIN          VARCHAR(5),
  IOT1MIN             INTEGER,
  IOT2MIN             INTEGER,
  IOT3MIN             INTEGER,
  IMORNMIN            INTEGER,
  LMAXBASICEXPECTED   VARCHAR(5),
  AEVENTOT1           VARCHAR(100),
  AEVENTOT2           VARCHAR(100),
  AEVENTOT3           VARCHAR(100),
  AEVENTPREOT         VARCHAR(100),
  ACLASSOT1           VARCHAR(100),
  ACLASSOT2           VARCHAR(100),
  ACLASSOT3           VARCHAR(100),
  ACLASSPREOT         VARCHAR(100),
  LFIXEDOT1           VARCHAR(5),
  LFIXEDOT2           VARCHAR(5),
  LFIXEDOT3           VARCHAR(5),
  LFIXEDPREOT         VARCHAR(5),
  AOVERRIDEEVENT      VARCHAR(100),
  AOVERRIDECLASS      VARCHAR(100),
  BOVERRIDEPAYRATE    NUMERIC(15,2),
  CONSTRAINT PK_TOVERTME PRIMARY KEY (ASCHEME)
);

-- Company work-time rules per overtime scheme. ADAY is a weekday name,
-- ALL or WORK DAYS. BLENGTH is minutes, DTIME1 and DTIME2 are times of day.
CREATE TABLE TOVEREXP (
  ASCHEME       VARCHAR(100),
  ADAY          VARCHAR(100),
  IRULE         INTEGER,
  BLENGTH       DOUBLE PRECISION,
  LHOLIDAY      VARCHAR(5),
  DTIME1        TIMESTAMP,
  DTIME2        TIMESTAMP,
  ADESC         VARCHAR(100),
  APAYCODE      VARCHAR(100)
);

-- Clock-controller transactions, shared with the terminal products.
-- LOGIN_NUM comes from SYSNO.IUNIQUE.
CREATE TABLE CONTROLLER_LOGIN_INFO (
  LOGIN_NUM        INTEGER,
  EMP_NUM          VARCHAR(20),
  CONTROLLER_NUM   INTEGER,
  PIN_NUM          VARCHAR(100),
  PIN_REQUIRED     INTEGER,
  ACCESS_GRANTED   INTEGER,
  CONTROLLER_TYPE  INTEGER,
  VALIDATED        INTEGER,
  CONTROLLER_TS    TIMESTAMP,
  SERVER_TS        TIMESTAMP,
  TIME_USER        INTEGER,
  READER_SIDE      INTEGER,
  SPRVISOR_NUM     VARCHAR(100),
  AREA_CODE        VARCHAR(100)
);

-- Staff number to controller employee number.
CREATE TABLE CONTROLLER_EMP_INFO (
  STAFFNO       VARCHAR(20),
  EMP_NUM       VARCHAR(20),
  NAME          VARCHAR(100),
  PIN_NUM       VARCHAR(100),
  IN_OUT        VARCHAR(100)
);

-- Approved leave queued for the time-and-attendance product.
CREATE TABLE HOLUPD (
  STAFFNO       VARCHAR(20),
  DSTART        TIMESTAMP,
  DEND          TIMESTAMP,
  APAID         VARCHAR(100),
  AHOLIDAY      VARCHAR(100),
  AREASON       VARCHAR(100),
  AEVENT        VARCHAR(100),
  LSTRETCH      VARCHAR(5)
);

-- Pending new time pairs from the quick edit page. ADATABASE names the
-- employee database (DBLIST.NAME) the pair belongs to.
CREATE TABLE TEMPCLKINS (
  STAFFNO       VARCHAR(20) NOT NULL,
  IKEY          INTEGER NOT NULL,
  DDATE         TIMESTAMP,
  TTIMESTART    TIMESTAMP,
  TTIMEEND      TIMESTAMP,
  ACOSTAREA     VARCHAR(100),
  AEVENT        VARCHAR(100),
  ATEMPLATE     VARCHAR(100),
  ADATABASE     VARCHAR(100),
  LPROCESSED    VARCHAR(5),
  ACOSTCODE     VARCHAR(100),
  AJOBCODE      VARCHAR(100),
  APAIDBREAK    VARCHAR(100),
  CONSTRAINT PK_TEMPCLKINS PRIMARY KEY (STAFFNO, IKEY)
);

-- Pending deletions of time events (IKEY = TEMPHRS.IKEY).
CREATE TABLE TEMPCLKDEL (
  STAFFNO       VARCHAR(20) NOT NULL,
  IKEY          INTEGER NOT NULL,
  CONSTRAINT PK_TEMPCLKDEL PRIMARY KEY (STAFFNO, IKEY)
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
