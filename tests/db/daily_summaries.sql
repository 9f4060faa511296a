-- Daily summaries of discharges and services against the fixture's known
-- totals, called as the program calls them: untyped text arguments, as the
-- reports role.
BEGIN;
-- Runs that other tests committed would count below.
DELETE FROM reports.tbrepdailydischarges;
DELETE FROM reports.tbrepdailydischargesdept;
DELETE FROM reports.tbrepdailyservices;
DELETE FROM reports.tbrepdailyservicesdept;
SET ROLE tester;

PREPARE dump_dis AS SELECT * FROM reports.sp_rep_dumpdailysummaryofdischarges($1);
PREPARE calc_in AS SELECT * FROM reports.sp_reprecomputeextensioninpatient($1);
PREPARE tot_in AS SELECT * FROM reports.sp_rep_getcomputedinpatients($1);
PREPARE dump_svc AS SELECT * FROM reports.sp_rep_dumpdailysummaryofservices($1);
PREPARE calc_out AS SELECT * FROM reports.sp_reprecomputeextensionoutpatient($1);
PREPARE tot_out AS SELECT * FROM reports.sp_rep_getcomputedoutpatients($1);

EXECUTE dump_dis('03/15/2012');
EXECUTE calc_in('03/15/2012');
EXECUTE calc_in('03/21/2012');
EXECUTE calc_out('03/15/2012');
EXECUTE calc_out('02/29/2012');
EXECUTE calc_out('03/17/2012');
EXECUTE dump_svc('03/15/2012');
-- Run twice: the second run replaces the first.
EXECUTE calc_in('03/15/2012');

CREATE TEMP TABLE t (day text, kind text, pc int, hc numeric, fc numeric, pk int, hk numeric, fk numeric);
INSERT INTO t SELECT '03/15/2012', 'in', * FROM reports.sp_rep_getcomputedinpatients('03/15/2012');
INSERT INTO t SELECT '03/21/2012', 'in', * FROM reports.sp_rep_getcomputedinpatients('03/21/2012');
INSERT INTO t SELECT '03/02/2012', 'in', * FROM reports.sp_rep_getcomputedinpatients('03/02/2012');
INSERT INTO t SELECT '03/15/2012', 'out', * FROM reports.sp_rep_getcomputedoutpatients('03/15/2012');
INSERT INTO t SELECT '02/29/2012', 'out', * FROM reports.sp_rep_getcomputedoutpatients('02/29/2012');
INSERT INTO t SELECT '03/17/2012', 'out', * FROM reports.sp_rep_getcomputedoutpatients('03/17/2012');

DO $$
DECLARE
    r record;
BEGIN
    FOR r IN SELECT e.*, t.day AS got FROM (VALUES
            -- day, kind, charge: stays, hospital, professional; cash: stays, hospital, professional
            ('03/15/2012', 'in', 1, 27370.00, 5000.00, 2, 22100.00, 1200.00),
            ('03/21/2012', 'in', 0, 0, 0, 1, 1000.00, 0),
            -- computed totals are only those of recomputed days: 03/02 was not run
            ('03/02/2012', 'in', 0, 0, 0, 0, 0, 0),
            ('03/15/2012', 'out', 1, 600.00, 200.00, 1, 1450.00, 0),
            ('02/29/2012', 'out', 0, 0, 0, 1, 220.00, 0),
            ('03/17/2012', 'out', 0, 0, 0, 0, 0, 0)
        ) AS e(day, kind, pc, hc, fc, pk, hk, fk)
        LEFT JOIN t ON t.day = e.day AND t.kind = e.kind
          AND (t.pc, t.hc, t.fc, t.pk, t.hk, t.fk) = (e.pc, e.hc, e.fc, e.pk, e.hk, e.fk) LOOP
        IF r.got IS NULL THEN
            RAISE EXCEPTION 'totals of % % are not %', r.kind, r.day, r;
        END IF;
    END LOOP;
    -- Exactly one row, even for an empty day, and never a null total.
    ASSERT (SELECT count(*) FROM t WHERE day = '03/17/2012') = 1;
    ASSERT NOT EXISTS (SELECT 1 FROM t WHERE NOT (t IS NOT NULL)), 'a null total';
END
$$;

-- The templates' rows: one per stay, re-runs do not duplicate, other days
-- keep theirs, and the department breakdown adds up to the stay.
DO $$
BEGIN
    ASSERT (SELECT count(*) FROM reports.tbrepdailydischarges WHERE report_date = '2012-03-15') = 3;
    ASSERT (SELECT count(*) FROM reports.tbrepdailydischarges WHERE report_date = '2012-03-21') = 1;
    ASSERT (SELECT string_agg(patient_name || '/' || payment_type, ' ' ORDER BY admission_no)
              FROM reports.tbrepdailydischarges WHERE report_date = '2012-03-15')
           = 'SMITH, JOHN/CHARGE O''BRIEN, MARY/CASH REYES, ANA/CASH';
    ASSERT (SELECT sum(hospital_fee) FROM reports.tbrepdailydischargesdept
             WHERE report_date = '2012-03-15' AND admission_id = 1) = 27370.00;
    ASSERT (SELECT hospital_fee FROM reports.tbrepdailydischargesdept
             WHERE report_date = '2012-03-15' AND admission_id = 1 AND dept_code = 'LB') = 370.00,
        'the corrected urinalysis counts once';
    ASSERT (SELECT count(*) FROM reports.tbrepdailyservicesdept WHERE report_date = '2012-03-15') = 2;
END
$$;

-- Bad dates are refused with a message that names them, and change nothing.
DO $$
DECLARE
    bad text;
    msg text;
BEGIN
    FOREACH bad IN ARRAY ARRAY['02/30/2012', '2012-03-15', '', 'O''BRIEN', '13/01/2012'] LOOP
        BEGIN
            PERFORM reports.sp_reprecomputeextensioninpatient(bad);
            RAISE EXCEPTION 'the date "%" was accepted', bad;
        EXCEPTION WHEN invalid_datetime_format THEN
            GET STACKED DIAGNOSTICS msg = MESSAGE_TEXT;
            ASSERT msg LIKE '%report date%', msg;
        END;
    END LOOP;
    ASSERT (SELECT count(*) FROM reports.tbrepdailydischarges WHERE report_date = '2012-03-15') = 3;
END
$$;

RESET ROLE;
ROLLBACK;
