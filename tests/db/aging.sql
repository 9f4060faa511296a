-- Receivable and payable aging against the fixture's known balances, in the
-- argument forms the program sends (two or three dates and texts, an
-- unquoted period number).
\getenv host PELMAR_TEST_HOST
\getenv port PELMAR_TEST_PORT
\getenv db PELMAR_TEST_DB
\getenv user PELMAR_TEST_USER
\getenv pass PELMAR_TEST_PASSWORD
-- Runs that other tests committed as the same user would count below.
DELETE FROM reports.tbrepaging WHERE computed_by = 'tester';
BEGIN;
SET ROLE tester;
PREPARE rep2 AS SELECT * FROM reports.sp_billing_repagingrecompute($1, $2);
PREPARE rep3 AS SELECT * FROM reports.sp_billing_repagingrecompute($1, $2, $3);
PREPARE bil2 AS SELECT * FROM billing.sp_billing_repagingrecompute($1, $2);
PREPARE bil_acct AS SELECT * FROM billing.sp_billing_repagingrecomputeaccountnum($1, $2, $3);
PREPARE bil_acct_p AS SELECT * FROM billing.sp_billing_repagingrecomputeaccountnumperiod($1, $2, $3, $4);
PREPARE bil_class AS SELECT * FROM billing.sp_billing_repagingrecomputeclass($1, $2, $3);
PREPARE bil_class_p AS SELECT * FROM billing.sp_billing_repagingrecomputeclassperiod($1, $2, $3, $4);
PREPARE bil_p AS SELECT * FROM billing.sp_billing_repagingrecomputeperiod($1, $2, $3);
PREPARE payable AS SELECT * FROM reports.sp_billing_repagingpayablerecompute($1, $2);

-- Totals of the caller's current aging rows, as one comparable text.
CREATE TEMP VIEW rep_total AS
SELECT format('%s %s %s %s %s %s %s | %s', sum(balance), sum(current_amount), sum(days_1_30),
              sum(days_31_60), sum(days_61_90), sum(days_91_120), sum(over_120), sum(interest_income)) AS t
  FROM reports.vw_aging;
CREATE TEMP VIEW bil_total AS
SELECT coalesce(sum(balance), 0) AS balance, count(*) AS bills FROM billing.vw_aging;

-- All at net: the buckets add up to the balances and the balances to the
-- receivable control account as of the date.
EXECUTE rep3('03/01/2012', '03/31/2012', 'A');
EXECUTE rep3('03/01/2012', '03/31/2012', 'A');
DO $$
BEGIN
    ASSERT (SELECT t FROM rep_total)
         = '56240.00 43540.00 8200.00 -500.00 0.00 0.00 5000.00 | 226.85', (SELECT t FROM rep_total);
    ASSERT (SELECT count(*) FROM reports.vw_aging) = 7, 're-running duplicated rows';
    ASSERT (SELECT sum(balance) FROM reports.vw_aging)
         = (SELECT sum(net) FROM reports.vw_gl_entries WHERE ar_control AND entry_date <= '2012-03-31'),
        'aging does not reconcile with the control account';
    ASSERT (SELECT format('%s %s %s %s', beginning_balance, billed, paid, adjusted)
              FROM reports.vw_aging WHERE bill_no = 'B-0003') = '0.00 21250.00 -10000.00 -4050.00';
    ASSERT (SELECT string_agg(bill_no || ':' || days_past_due, ' ' ORDER BY bill_no) FROM reports.vw_aging)
         = 'B-0001:-14 B-0003:16 B-0004:10 B-0005:-31 B-0007:-14 B-0010:138 B-0011:51';
    ASSERT (SELECT balance FROM reports.vw_aging_classification WHERE class_code = '02') = 38170.00;
END
$$;

-- Positive balances only (the two-argument form) and credit balances only.
EXECUTE rep2('03/01/2012', '03/31/2012');
DO $$ BEGIN
    ASSERT (SELECT t FROM rep_total) = '56740.00 43540.00 8200.00 0.00 0.00 0.00 5000.00 | 226.85',
        (SELECT t FROM rep_total);
    ASSERT (SELECT max(balance_kind) FROM reports.vw_aging) = 'P';
END $$;
EXECUTE rep3('03/01/2012', '03/31/2012', 'n');
DO $$ BEGIN
    ASSERT (SELECT t FROM rep_total) = '-500.00 0.00 0.00 -500.00 0.00 0.00 0.00 | 0.00', (SELECT t FROM rep_total);
END $$;

-- A payment after the report date does not change an as-of aging; a later
-- date sees it.
EXECUTE rep3('01/01/2012', '03/31/2012', 'A');
DO $$ BEGIN
    ASSERT (SELECT balance FROM reports.vw_aging WHERE bill_no = 'B-0005') = 10370.00;
END $$;
EXECUTE rep3('04/01/2012', '04/30/2012', 'A');
DO $$ BEGIN
    ASSERT NOT EXISTS (SELECT 1 FROM reports.vw_aging WHERE bill_no = 'B-0005' AND end_date = '2012-04-30');
    -- Each date range keeps its own rows; for an end date the latest run is marked.
    ASSERT (SELECT count(DISTINCT end_date) FROM reports.vw_aging) = 2;
    ASSERT (SELECT string_agg(DISTINCT start_date::text, ',') FROM reports.vw_aging
             WHERE end_date = '2012-03-31' AND is_latest) = '2012-01-01';
    ASSERT (SELECT count(DISTINCT start_date) FROM reports.vw_aging WHERE end_date = '2012-03-31') = 2;
END $$;

-- Billing runs: all, one class, one account, and restricted to the bills of
-- an accounting period.
DO $$
DECLARE
    c record;
    got record;
BEGIN
    FOR c IN SELECT * FROM (VALUES
            ('all',                 56240.00, 7),
            ('class 02',            38170.00, 3),
            ('class empty',         56240.00, 7),
            ('account C-001',       37370.00, 2),
            ('account c-001',       37370.00, 2),
            ('period 6',            51740.00, 5),
            ('class 02 period 6',   33170.00, 2),
            ('account C-001 period 6', 32370.00, 1),
            ('class 04',            -500.00, 1)) AS v(name, balance, bills) LOOP
        CASE c.name
            WHEN 'all' THEN PERFORM billing.sp_billing_repagingrecompute('03/01/2012', '03/31/2012');
            WHEN 'class 02' THEN PERFORM billing.sp_billing_repagingrecomputeclass('03/01/2012', '03/31/2012', '02');
            WHEN 'class empty' THEN PERFORM billing.sp_billing_repagingrecomputeclass('03/01/2012', '03/31/2012', '');
            WHEN 'account C-001' THEN PERFORM billing.sp_billing_repagingrecomputeaccountnum('03/01/2012', '03/31/2012', 'C-001');
            WHEN 'account c-001' THEN PERFORM billing.sp_billing_repagingrecomputeaccountnum('03/01/2012', '03/31/2012', ' c-001 ');
            WHEN 'period 6' THEN PERFORM billing.sp_billing_repagingrecomputeperiod('03/01/2012', '03/31/2012', 6);
            WHEN 'class 02 period 6' THEN PERFORM billing.sp_billing_repagingrecomputeclassperiod('03/01/2012', '03/31/2012', '02', 6);
            WHEN 'account C-001 period 6' THEN PERFORM billing.sp_billing_repagingrecomputeaccountnumperiod('03/01/2012', '03/31/2012', 'C-001', 6);
            WHEN 'class 04' THEN PERFORM billing.sp_billing_repagingrecomputeclass('03/01/2012', '03/31/2012', '04');
        END CASE;
        SELECT * INTO got FROM bil_total;
        IF (got.balance, got.bills) IS DISTINCT FROM (c.balance, c.bills::bigint) THEN
            RAISE EXCEPTION 'billing aging %: % in % bills, expected % in %', c.name, got.balance, got.bills,
                c.balance, c.bills;
        END IF;
    END LOOP;
END
$$;

-- The same through the program's argument forms, the period unquoted.
EXECUTE bil_p('03/01/2012', '03/31/2012', 6);
DO $$ BEGIN ASSERT (SELECT balance FROM bil_total) = 51740.00; END $$;
EXECUTE bil_class_p('03/01/2012', '03/31/2012', '02', 6);
DO $$ BEGIN ASSERT (SELECT balance FROM bil_total) = 33170.00; END $$;
EXECUTE bil_acct_p('03/01/2012', '03/31/2012', 'C-001', 6);
EXECUTE bil_class('03/01/2012', '03/31/2012', '02');
EXECUTE bil_acct('03/01/2012', '03/31/2012', 'H-001');
EXECUTE bil2('03/01/2012', '03/31/2012');
DO $$ BEGIN
    ASSERT (SELECT balance FROM billing.vw_aging_classification WHERE class_code = '03') = 10370.00;
    ASSERT (SELECT balance FROM billing.vw_aging_accounts WHERE account_no = 'C-001') = 37370.00;
END $$;

-- Refusals: an empty account, a period that does not exist (an empty
-- period box sends 0), a reversed period, an unknown balance kind.
DO $$
DECLARE
    c record;
    msg text;
BEGIN
    FOR c IN SELECT * FROM (VALUES
            ($q$SELECT billing.sp_billing_repagingrecomputeaccountnum('03/01/2012', '03/31/2012', '  ')$q$, 'Account Number is Empty!'),
            ($q$SELECT billing.sp_billing_repagingrecomputeaccountnum('03/01/2012', '03/31/2012', 'C-999')$q$, 'no account "C-999"'),
            ($q$SELECT billing.sp_billing_repagingrecomputeclass('03/01/2012', '03/31/2012', '99')$q$, 'no account class "99"'),
            ($q$SELECT billing.sp_billing_repagingrecomputeperiod('03/01/2012', '03/31/2012', 0)$q$, 'no accounting period 0'),
            ($q$SELECT billing.sp_billing_repagingrecomputeclassperiod('03/01/2012', '03/31/2012', '02', 99)$q$, 'no accounting period 99'),
            ($q$SELECT reports.sp_billing_repagingrecompute('03/31/2012', '03/01/2012')$q$, 'start date'),
            ($q$SELECT reports.sp_billing_repagingrecompute('03/01/2012', '03/31/2012', 'X')$q$, 'balance kind'))
            AS v(stmt, want) LOOP
        BEGIN
            EXECUTE c.stmt;
            RAISE EXCEPTION 'accepted: %', c.stmt;
        EXCEPTION WHEN invalid_parameter_value OR data_exception THEN
            GET STACKED DIAGNOSTICS msg = MESSAGE_TEXT;
            ASSERT msg LIKE '%' || c.want || '%', format('message "%s" for %s', msg, c.stmt);
        END;
    END LOOP;
    ASSERT (SELECT balance FROM bil_total) = 56240.00, 'a refused run changed the rows';
END
$$;

-- Payables as of the end date.
EXECUTE payable('03/01/2012', '03/31/2012');
EXECUTE payable('03/01/2012', '03/31/2012');
DO $$ BEGIN
    ASSERT (SELECT format('%s %s %s %s %s', sum(balance), sum(current_amount), sum(days_31_60), sum(over_120), count(*))
              FROM reports.tbreppayableaging WHERE end_date = '2012-03-31')
         = '8700.00 2500.00 5000.00 1200.00 3';
    ASSERT (SELECT balance FROM reports.vw_payable_aging_accounts WHERE account_no = 'S-002') = 1200.00;
END $$;
RESET ROLE;

-- Another user's run of the same dates is his own: neither sees the other's.
CREATE EXTENSION IF NOT EXISTS dblink;
SELECT format('host=%s port=%s dbname=%s user=%s password=%s', :'host', :'port', :'db',
              :'user', '''' || replace(replace(:'pass', '\', '\\'), '''', '\''') || '''') AS member \gset
SELECT dblink_connect('other', :'member');
SELECT dblink_exec('other', 'BEGIN');
SELECT * FROM dblink('other', $q$SELECT 1 FROM reports.sp_billing_repagingrecompute('03/01/2012', '03/31/2012', 'N')$q$) AS t(x int);
SET ROLE tester;
EXECUTE rep3('03/01/2012', '03/31/2012', 'A');
DO $$ BEGIN
    ASSERT (SELECT sum(balance) FROM reports.vw_aging
             WHERE start_date = '2012-03-01' AND end_date = '2012-03-31') = 56240.00;
    ASSERT (SELECT x FROM dblink('other', $q$SELECT sum(balance) FROM reports.vw_aging$q$) AS t(x numeric)) = -500.00,
        'the other user does not see his own run';
END $$;
RESET ROLE;
SELECT dblink_exec('other', 'ROLLBACK');
SELECT dblink_disconnect('other');
ROLLBACK;
