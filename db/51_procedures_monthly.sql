-- The departmental summary of a period, and the year-end summary of the
-- calendar year the period falls in.

SET client_min_messages = warning;

-- Which charges belong to a departmental run: flag N takes the charges of
-- the department; flag Y (apparatus and the miscellaneous reports) also
-- takes every revenue code grouped under the code, whatever its department.
-- Only the columns the summaries use are read, so the covering index on
-- department and date answers the department's part without the table.
-- A grouped code charged in another department is found by its revenue
-- code; that part is planned for the actual list of codes.
-- (A helper holds no data: dropped and made again, its shape may change.)
DROP FUNCTION IF EXISTS reports.department_charges(text, char, date, date);
CREATE FUNCTION reports.department_charges(p_code text, p_flag char, p_from date, p_to date)
    RETURNS TABLE (business_date date, patient_type char, revenue_code text, quantity numeric,
                   hospital_fee numeric, professional_fee numeric, stay_or_visit bigint, doctor_id integer)
    LANGUAGE plpgsql STABLE
    SET search_path = pg_catalog, billing
AS $f$
DECLARE
    grouped text[] := reports.grouped_codes(p_code, p_flag);
BEGIN
    RETURN QUERY EXECUTE format($q$
        SELECT c.business_date, c.patient_type, c.revenue_code, c.quantity, c.hospital_fee,
               c.professional_fee, coalesce(c.admission_id, -c.visit_id), c.doctor_id
          FROM billing.charges c
         WHERE c.dept_code = $1 AND c.business_date BETWEEN $2 AND $3
        %s$q$,
        CASE WHEN grouped IS NOT NULL THEN $u$
        UNION ALL
        SELECT c.business_date, c.patient_type, c.revenue_code, c.quantity, c.hospital_fee,
               c.professional_fee, coalesce(c.admission_id, -c.visit_id), c.doctor_id
          FROM billing.charges c
         WHERE c.revenue_code = ANY ($4) AND c.business_date BETWEEN $2 AND $3 AND c.dept_code <> $1$u$
        ELSE '' END)
    USING p_code, p_from, p_to, grouped;
END
$f$;
REVOKE ALL ON FUNCTION reports.department_charges(text, char, date, date) FROM PUBLIC;

-- The revenue codes of other departments grouped under a code for flag Y
-- (the department's own codes come with the department); null when none.
CREATE OR REPLACE FUNCTION reports.grouped_codes(p_code text, p_flag char)
    RETURNS text[]
    LANGUAGE sql STABLE
    SET search_path = pg_catalog, billing
AS $$
    SELECT array_agg(r.revenue_code) FROM billing.revenue_codes r
     WHERE p_flag = 'Y' AND r.report_group = p_code AND r.dept_code <> p_code
$$;
REVOKE ALL ON FUNCTION reports.grouped_codes(text, char) FROM PUBLIC;

-- The same by month for a year, from the index alone.
DROP FUNCTION IF EXISTS reports.department_year(text, char, integer);
CREATE FUNCTION reports.department_year(p_code text, p_flag char, p_year integer)
    RETURNS TABLE (revenue_code text, mon integer, quantity numeric, hospital_fee numeric,
                   professional_fee numeric)
    LANGUAGE plpgsql STABLE
    SET search_path = pg_catalog, billing
AS $f$
DECLARE
    grouped text[] := reports.grouped_codes(p_code, p_flag);
BEGIN
    RETURN QUERY EXECUTE format($q$
        SELECT x.revenue_code, x.mon, sum(x.quantity), sum(x.hospital_fee), sum(x.professional_fee)
          FROM (SELECT c.revenue_code, extract(month FROM c.business_date)::int AS mon, c.quantity,
                       c.hospital_fee, c.professional_fee
                  FROM billing.charges c
                 WHERE c.dept_code = $1 AND c.business_date BETWEEN $2 AND $3
                %s) x
         GROUP BY x.revenue_code, x.mon$q$,
        CASE WHEN grouped IS NOT NULL THEN $u$
                UNION ALL
                SELECT c.revenue_code, extract(month FROM c.business_date)::int, c.quantity,
                       c.hospital_fee, c.professional_fee
                  FROM billing.charges c
                 WHERE c.revenue_code = ANY ($4) AND c.business_date BETWEEN $2 AND $3
                   AND c.dept_code <> $1$u$
        ELSE '' END)
    USING p_code, make_date(p_year, 1, 1), make_date(p_year, 12, 31), grouped;
END
$f$;
REVOKE ALL ON FUNCTION reports.department_year(text, char, integer) FROM PUBLIC;

-- Recomputes the departmental summary of one department (or revenue group)
-- for the period, by patient type and revenue code and by doctor, and the
-- year-end summary of the period's calendar year for the same code.
CREATE OR REPLACE FUNCTION reports.sp_rep_monthlyrecompute(p_start text, p_end text, p_code text, p_flag text)
    RETURNS void
    LANGUAGE plpgsql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports, billing, patient_data
AS $$
DECLARE
    per  record := reports.parse_period(p_start, p_end);
    code text := btrim(coalesce(p_code, ''));
    flag char(1) := upper(btrim(coalesce(p_flag, '')));
    yr   integer;
BEGIN
    IF code = '' THEN
        RAISE EXCEPTION 'The department code is missing: choose a department first'
            USING ERRCODE = 'invalid_parameter_value';
    END IF;
    IF flag NOT IN ('Y', 'N') THEN
        RAISE EXCEPTION 'The option flag "%" is neither Y nor N', p_flag
            USING ERRCODE = 'invalid_parameter_value';
    END IF;
    yr := extract(year FROM per.start_date);

    PERFORM pg_advisory_xact_lock(hashtextextended(
        format('monthly|%s|%s|%s|%s', per.start_date, per.end_date, code, flag), 0));
    DELETE FROM reports.tbrepmonthly
     WHERE start_date = per.start_date AND end_date = per.end_date AND dept_code = code AND option_flag = flag;
    DELETE FROM reports.tbrepmonthlydoctors
     WHERE start_date = per.start_date AND end_date = per.end_date AND dept_code = code AND option_flag = flag;

    INSERT INTO reports.tbrepmonthly (start_date, end_date, dept_code, option_flag, patient_type,
            revenue_code, description, quantity, hospital_fee, professional_fee, patients,
            computed_at, computed_by)
    SELECT per.start_date, per.end_date, code, flag, c.patient_type, c.revenue_code, r.description,
           sum(c.quantity), sum(c.hospital_fee), sum(c.professional_fee),
           count(DISTINCT c.stay_or_visit), now(), session_user
      FROM reports.department_charges(code, flag, per.start_date, per.end_date) c
      JOIN billing.revenue_codes r ON r.revenue_code = c.revenue_code
     GROUP BY c.patient_type, c.revenue_code, r.description;

    INSERT INTO reports.tbrepmonthlydoctors (start_date, end_date, dept_code, option_flag, patient_type,
            doctor_code, doctor_name, cases, hospital_fee, professional_fee, computed_at)
    SELECT per.start_date, per.end_date, code, flag, c.patient_type, dr.doctor_code, dr.name,
           count(DISTINCT c.stay_or_visit),
           sum(c.hospital_fee), sum(c.professional_fee), now()
      FROM reports.department_charges(code, flag, per.start_date, per.end_date) c
      JOIN patient_data.doctors dr ON dr.doctor_id = c.doctor_id
     GROUP BY c.patient_type, dr.doctor_code, dr.name;

    -- The year-end rows carry no flag in their key: its templates are given
    -- only the year and the code.  Runs of other months of the same year
    -- would wait on each other here; when another run is computing the same
    -- year right now it leaves the same rows, so this one need not wait.
    IF NOT pg_try_advisory_xact_lock(hashtextextended(format('yearend|%s|%s', yr, code), 0)) THEN
        RETURN;
    END IF;
    DELETE FROM reports.tbrepyearend WHERE report_year = yr AND dept_code = code;
    INSERT INTO reports.tbrepyearend (report_year, dept_code, revenue_code, description, option_flag,
            q01, q02, q03, q04, q05, q06, q07, q08, q09, q10, q11, q12,
            a01, a02, a03, a04, a05, a06, a07, a08, a09, a10, a11, a12,
            quantity, hospital_fee, professional_fee, computed_at)
    SELECT yr, code, m.revenue_code, r.description, flag,
           coalesce(sum(m.q) FILTER (WHERE m.mon = 1), 0), coalesce(sum(m.q) FILTER (WHERE m.mon = 2), 0),
           coalesce(sum(m.q) FILTER (WHERE m.mon = 3), 0), coalesce(sum(m.q) FILTER (WHERE m.mon = 4), 0),
           coalesce(sum(m.q) FILTER (WHERE m.mon = 5), 0), coalesce(sum(m.q) FILTER (WHERE m.mon = 6), 0),
           coalesce(sum(m.q) FILTER (WHERE m.mon = 7), 0), coalesce(sum(m.q) FILTER (WHERE m.mon = 8), 0),
           coalesce(sum(m.q) FILTER (WHERE m.mon = 9), 0), coalesce(sum(m.q) FILTER (WHERE m.mon = 10), 0),
           coalesce(sum(m.q) FILTER (WHERE m.mon = 11), 0), coalesce(sum(m.q) FILTER (WHERE m.mon = 12), 0),
           coalesce(sum(m.a) FILTER (WHERE m.mon = 1), 0), coalesce(sum(m.a) FILTER (WHERE m.mon = 2), 0),
           coalesce(sum(m.a) FILTER (WHERE m.mon = 3), 0), coalesce(sum(m.a) FILTER (WHERE m.mon = 4), 0),
           coalesce(sum(m.a) FILTER (WHERE m.mon = 5), 0), coalesce(sum(m.a) FILTER (WHERE m.mon = 6), 0),
           coalesce(sum(m.a) FILTER (WHERE m.mon = 7), 0), coalesce(sum(m.a) FILTER (WHERE m.mon = 8), 0),
           coalesce(sum(m.a) FILTER (WHERE m.mon = 9), 0), coalesce(sum(m.a) FILTER (WHERE m.mon = 10), 0),
           coalesce(sum(m.a) FILTER (WHERE m.mon = 11), 0), coalesce(sum(m.a) FILTER (WHERE m.mon = 12), 0),
           sum(m.q), sum(m.a), sum(m.pf), now()
      FROM (SELECT y.revenue_code, y.mon, y.quantity AS q, y.hospital_fee AS a, y.professional_fee AS pf
              FROM reports.department_year(code, flag, yr) y) m
      JOIN billing.revenue_codes r ON r.revenue_code = m.revenue_code
     GROUP BY m.revenue_code, r.description;

END
$$;
