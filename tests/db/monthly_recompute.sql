-- The departmental recompute: known figures of the fixture, keys that do
-- not disturb each other, re-runs that replace, the year-end rows, and
-- refusals of bad arguments.
BEGIN;
-- Runs that other tests committed would show in the comparisons below.
DELETE FROM reports.tbrepmonthly;
DELETE FROM reports.tbrepmonthlydoctors;
DELETE FROM reports.tbrepyearend;
SET ROLE tester;
PREPARE monthly AS SELECT * FROM reports.sp_rep_monthlyrecompute($1, $2, $3, $4);

EXECUTE monthly('03/01/2012', '03/31/2012', 'LB', 'N');
EXECUTE monthly('02/01/2012', '02/29/2012', 'LB', 'N');
EXECUTE monthly('03/01/2012', '03/31/2012', 'LB', 'N');
EXECUTE monthly('03/01/2012', '03/31/2012', 'AP', 'N');
EXECUTE monthly('03/01/2012', '03/31/2012', 'AP', 'Y');
EXECUTE monthly('03/01/2012', '03/31/2012', 'OR', 'N');
EXECUTE monthly('02/01/2012', '02/29/2012', 'MC', 'Y');
-- An end date with a time of day still means that day.
EXECUTE monthly('03/01/2012', '03/31/2012 23:59:59.99', 'XR', 'N');

DO $$
DECLARE
    r record;
BEGIN
    -- Every expected row is there with its figures, and nothing else.
    FOR r IN
        WITH e(s, en, code, flag, pt, rc, qty, hosp, prof, pats) AS (VALUES
            ('2012-03-01'::date, '2012-03-31'::date, 'LB', 'N', 'I', 'LB001', 4, 1000.00, 0, 4),
            ('2012-03-01', '2012-03-31', 'LB', 'N', 'I', 'LB002', 2, 240.00, 0, 2),
            ('2012-03-01', '2012-03-31', 'LB', 'N', 'O', 'LB001', 1, 250.00, 0, 1),
            ('2012-03-01', '2012-03-31', 'LB', 'N', 'O', 'LBP01', 1, 1200.00, 0, 1),
            ('2012-02-01', '2012-02-29', 'LB', 'N', 'I', 'LB001', 1, 250.00, 0, 1),
            ('2012-02-01', '2012-02-29', 'LB', 'N', 'O', 'LB002', 1, 120.00, 0, 1),
            ('2012-03-01', '2012-03-31', 'AP', 'N', 'I', 'AP001', 10, 1000.00, 0, 1),
            ('2012-03-01', '2012-03-31', 'AP', 'Y', 'I', 'AP001', 10, 1000.00, 0, 1),
            ('2012-03-01', '2012-03-31', 'AP', 'Y', 'I', 'AP002', 2, 1000.00, 0, 1),
            ('2012-03-01', '2012-03-31', 'OR', 'N', 'I', 'OR001', 1, 20000.00, 5000.00, 1),
            ('2012-02-01', '2012-02-29', 'MC', 'Y', 'O', 'MC001', 1, 100.00, 0, 1),
            ('2012-03-01', '2012-03-31', 'XR', 'N', 'I', 'XR001', 1, 600.00, 200.00, 1),
            ('2012-03-01', '2012-03-31', 'XR', 'N', 'O', 'XR001', 1, 600.00, 200.00, 1))
        SELECT coalesce(e.code, m.dept_code) AS code, e.rc AS want, m.revenue_code AS got, e, m
          FROM e FULL JOIN reports.tbrepmonthly m
            ON (m.start_date, m.end_date, m.dept_code, m.option_flag, m.patient_type, m.revenue_code,
                m.quantity, m.hospital_fee, m.professional_fee, m.patients)
             = (e.s, e.en, e.code, e.flag, e.pt, e.rc, e.qty, e.hosp, e.prof, e.pats)
         WHERE e.rc IS NULL OR m.revenue_code IS NULL LOOP
        RAISE EXCEPTION 'monthly rows differ: expected % got %', r.e, r.m;
    END LOOP;

    ASSERT (SELECT sum(hospital_fee) FROM reports.tbrepmonthly
             WHERE start_date = '2012-03-01' AND dept_code = 'LB' AND option_flag = 'N') = 2690.00;
    -- The department total equals the charges of the month: professional
    -- fees never mix into it.
    ASSERT (SELECT sum(hospital_fee) FROM reports.tbrepmonthly
             WHERE start_date = '2012-03-01' AND dept_code = 'OR') = 20000.00;
    ASSERT (SELECT string_agg(doctor_code || ':' || cases || ':' || professional_fee, ',')
              FROM reports.tbrepmonthlydoctors WHERE dept_code = 'OR') = 'D01:1:5000.00';
END
$$;

-- Year-end rows: the whole calendar year, whichever month was run.
DO $$
BEGIN
    ASSERT (SELECT string_agg(format('%s %s/%s %s/%s %s', revenue_code, q02, a02, q03, a03, hospital_fee),
                              '; ' ORDER BY revenue_code)
              FROM reports.tbrepyearend WHERE report_year = 2012 AND dept_code = 'LB')
         = 'LB001 1.00/250.00 5.00/1250.00 1500.00; LB002 1.00/120.00 2.00/240.00 360.00; '
           'LBP01 0.00/0.00 1.00/1200.00 1200.00', 'year-end LB';
    ASSERT (SELECT a01 + a04 + a12 FROM reports.tbrepyearend
             WHERE report_year = 2012 AND dept_code = 'LB' AND revenue_code = 'LB001') = 0;
END
$$;

-- Bad arguments: a clear refusal, and the rows of the key are kept.
DO $$
DECLARE
    c record;
    msg text;
BEGIN
    FOR c IN SELECT * FROM (VALUES
            ('03/31/2012', '03/01/2012', 'LB', 'N', 'start date'),
            ('03/01/2012', '02/30/2012', 'LB', 'N', 'end date'),
            ('03/01/2012', '03/31/2012', '', 'N', 'department code is missing'),
            ('03/01/2012', '03/31/2012', 'LB', 'X', 'option flag'))
            AS v(s, e, code, flag, want) LOOP
        BEGIN
            PERFORM reports.sp_rep_monthlyrecompute(c.s, c.e, c.code, c.flag);
            RAISE EXCEPTION 'accepted %', c;
        EXCEPTION WHEN invalid_datetime_format OR data_exception OR invalid_parameter_value THEN
            GET STACKED DIAGNOSTICS msg = MESSAGE_TEXT;
            ASSERT msg LIKE '%' || c.want || '%', format('message "%s" for %s', msg, c);
        END;
    END LOOP;
    ASSERT (SELECT count(*) FROM reports.tbrepmonthly WHERE start_date = '2012-03-01' AND dept_code = 'LB') = 4;
END
$$;

RESET ROLE;
ROLLBACK;
