-- The reports role runs the procedures and reads what the templates read,
-- and nothing more; a log-in outside the role gets nothing at all.
BEGIN;
DO $$
DECLARE
    r record;
BEGIN
    -- Every procedure is there for the role, every helper is not.
    FOR r IN SELECT p.oid::regprocedure AS f, p.proname LIKE 'sp\_%' AS proc
               FROM pg_proc p
              WHERE p.pronamespace IN ('reports'::regnamespace, 'billing'::regnamespace, 'patient_data'::regnamespace)
                AND p.proname NOT IN ('log_run', 'employee_name') LOOP
        IF has_function_privilege('tester', r.f, 'EXECUTE') <> r.proc THEN
            RAISE EXCEPTION 'tester % run %', CASE WHEN r.proc THEN 'cannot' ELSE 'can' END, r.f;
        END IF;
        IF has_function_privilege('outsider', r.f, 'EXECUTE') THEN
            RAISE EXCEPTION 'outsider can run %', r.f;
        END IF;
    END LOOP;
    -- The procedures the program calls, with the arguments it sends.
    FOR r IN SELECT f FROM unnest(ARRAY[
            'reports.sp_rep_monthlyrecompute(text,text,text,text)',
            'reports.sp_rep_dumpdailysummaryofdischarges(text)', 'reports.sp_rep_dumpdailysummaryofservices(text)',
            'reports.sp_reprecomputeextensioninpatient(text)', 'reports.sp_reprecomputeextensionoutpatient(text)',
            'reports.sp_rep_getcomputedinpatients(text)', 'reports.sp_rep_getcomputedoutpatients(text)',
            'reports.sp_rep_searchcompany(text)', 'reports.sp_rep_searchclass(text)', 'reports.sp_rep_searchperiod(text)',
            'reports.sp_rep_searchmiscellaneousrevenue(text,text)', 'reports.sp_rep_updatemiscellaneous(text,text)',
            'reports.sp_billing_repagingrecompute(text,text)', 'reports.sp_billing_repagingrecompute(text,text,text)',
            'reports.sp_billing_repagingpayablerecompute(text,text)',
            'billing.sp_billing_repagingrecompute(text,text)', 'billing.sp_billing_repagingrecompute(text,text,text)',
            'billing.sp_billing_repagingrecomputeaccountnum(text,text,text)',
            'billing.sp_billing_repagingrecomputeaccountnumperiod(text,text,text,numeric)',
            'billing.sp_billing_repagingrecomputeclass(text,text,text)',
            'billing.sp_billing_repagingrecomputeclassperiod(text,text,text,numeric)',
            'billing.sp_billing_repagingrecomputeperiod(text,text,numeric)',
            'patient_data.sp_adm_statistics(text,text)']) f LOOP
        IF to_regprocedure(r.f) IS NULL THEN
            RAISE EXCEPTION 'missing procedure %', r.f;
        END IF;
        IF NOT (SELECT prosecdef FROM pg_proc WHERE oid = to_regprocedure(r.f)) THEN
            RAISE EXCEPTION '% does not run as its owner', r.f;
        END IF;
    END LOOP;
    -- Read-only, and only report tables and views; never write anything.
    FOR r IN SELECT c.oid::regclass AS t, c.relname
               FROM pg_class c
              WHERE c.relnamespace IN ('reports'::regnamespace, 'billing'::regnamespace, 'patient_data'::regnamespace)
                AND c.relkind IN ('r', 'v')
                -- tables the engine's own tests make for themselves
                AND c.relname NOT LIKE 'eng\_%' LOOP
        IF has_table_privilege('tester', r.t, 'INSERT, UPDATE, DELETE, TRUNCATE')
           AND r.relname <> 'run_log' THEN
            RAISE EXCEPTION 'tester can change %', r.t;
        END IF;
        IF has_table_privilege('tester', r.t, 'SELECT')
           <> (r.relname LIKE 'vw\_%' OR r.relname IN ('tbhospitalinfo', 'tbmiscellaneousrevenue')
               OR (r.relname LIKE 'tbrep%' AND r.relname NOT IN ('tbrepaging', 'tbrepstatistics'))) THEN
            RAISE EXCEPTION 'tester reading % is wrong', r.t;
        END IF;
    END LOOP;
END
$$;

-- The same by trying.
SET ROLE tester;
DO $$
DECLARE
    stmt text;
BEGIN
    PERFORM reports.sp_rep_monthlyrecompute('03/01/2012', '03/31/2012', 'LB', 'N');
    PERFORM count(*) FROM reports.tbrepmonthly;
    PERFORM count(*) FROM reports.vw_daily_logbook;
    PERFORM count(*) FROM billing.vw_aging;
    FOREACH stmt IN ARRAY ARRAY[
            'SELECT count(*) FROM billing.charges',
            'SELECT count(*) FROM patient_data.patients',
            'SELECT count(*) FROM reports.tbrepaging',
            'DELETE FROM reports.tbrepmonthly',
            'INSERT INTO billing.ar_ledger (entry_date, entered_at, bill_id, kind, hospital_amount) VALUES (now(), now(), 1, ''BILL'', 1)',
            'UPDATE reports.tbmiscellaneousrevenue SET description = ''X''',
            'SELECT billing.post_ar_to_gl()',
            'SELECT * FROM reports.aging_rows(''2012-03-01'', ''2012-03-31'', ''A'', NULL, NULL, NULL, NULL)'] LOOP
        BEGIN
            EXECUTE stmt;
            RAISE EXCEPTION 'the reports role could: %', stmt;
        EXCEPTION WHEN insufficient_privilege THEN NULL;
        END;
    END LOOP;
END
$$;
RESET ROLE;

SET ROLE outsider;
DO $$
BEGIN
    BEGIN
        PERFORM reports.sp_rep_searchcompany('');
        RAISE EXCEPTION 'an outsider could search';
    EXCEPTION WHEN insufficient_privilege THEN NULL;
    END;
    BEGIN
        PERFORM count(*) FROM reports.vw_payments;
        RAISE EXCEPTION 'an outsider could read payments';
    EXCEPTION WHEN insufficient_privilege THEN NULL;
    END;
END
$$;
RESET ROLE;

-- Money rows are corrected by reversal, never edited, even by the owner.
DO $$
BEGIN
    BEGIN
        UPDATE billing.charges SET hospital_fee = 0 WHERE charge_id = 1;
        RAISE EXCEPTION 'a charge was edited';
    EXCEPTION WHEN restrict_violation THEN NULL;
    END;
    BEGIN
        DELETE FROM billing.ar_ledger WHERE entry_id = 1;
        RAISE EXCEPTION 'a ledger row was deleted';
    EXCEPTION WHEN restrict_violation THEN NULL;
    END;
END
$$;
ROLLBACK;
