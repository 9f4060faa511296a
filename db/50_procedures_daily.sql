-- Daily summaries of discharges (in-patients) and of services (out-patients).
-- A stay or visit is "cash" when the patient pays for himself and "charge"
-- when a company, insurer or government account pays.  Its figures are all
-- the charges of the stay or visit, hospital and professional fees apart.

SET client_min_messages = warning;

-- Lists the stays discharged on the day with their charges by department.
CREATE OR REPLACE FUNCTION reports.sp_rep_dumpdailysummaryofdischarges(p_date text)
    RETURNS void
    LANGUAGE plpgsql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports, billing, patient_data
AS $$
DECLARE
    d date := reports.parse_date(p_date, 'report date');
BEGIN
    PERFORM pg_advisory_xact_lock(hashtextextended('dailydischargesdept|' || d, 0));
    DELETE FROM reports.tbrepdailydischargesdept WHERE report_date = d;
    INSERT INTO reports.tbrepdailydischargesdept (report_date, admission_id, dept_code, dept_name,
                                                  hospital_fee, professional_fee)
    SELECT d, a.admission_id, c.dept_code, dp.name, sum(c.hospital_fee), sum(c.professional_fee)
      FROM patient_data.admissions a
      JOIN billing.charges c ON c.admission_id = a.admission_id
      JOIN billing.departments dp ON dp.dept_code = c.dept_code
     WHERE a.discharge_date = d
     GROUP BY a.admission_id, c.dept_code, dp.name;
END
$$;

-- Recomputes the day's discharged stays with their totals.
CREATE OR REPLACE FUNCTION reports.sp_reprecomputeextensioninpatient(p_date text)
    RETURNS void
    LANGUAGE plpgsql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports, billing, patient_data
AS $$
DECLARE
    d date := reports.parse_date(p_date, 'report date');
BEGIN
    PERFORM pg_advisory_xact_lock(hashtextextended('dailydischarges|' || d, 0));
    DELETE FROM reports.tbrepdailydischarges WHERE report_date = d;
    INSERT INTO reports.tbrepdailydischarges (report_date, admission_id, admission_no, hospital_no,
            patient_name, account_no, account_name, payment_type, station_code, admitted_at,
            discharged_at, disposition, hospital_fee, professional_fee, computed_at)
    SELECT d, a.admission_id, a.admission_no, p.hospital_no,
           p.last_name || ', ' || p.first_name, ac.account_no, ac.name,
           CASE WHEN cl.account_kind = 'PATIENT' THEN 'CASH' ELSE 'CHARGE' END,
           a.station_code, a.admitted_at, a.discharged_at, a.disposition,
           coalesce(ch.hospital_fee, 0), coalesce(ch.professional_fee, 0), now()
      FROM patient_data.admissions a
      JOIN patient_data.patients p ON p.patient_id = a.patient_id
      JOIN billing.accounts ac ON ac.account_id = a.account_id
      JOIN billing.account_classes cl ON cl.class_code = ac.class_code
      LEFT JOIN LATERAL (SELECT sum(c.hospital_fee) AS hospital_fee,
                                sum(c.professional_fee) AS professional_fee
                           FROM billing.charges c WHERE c.admission_id = a.admission_id) ch ON true
     WHERE a.discharge_date = d;
END
$$;

-- The six totals of the day's computed discharges: stays, hospital fees and
-- professional fees, for charge accounts and for cash patients.
CREATE OR REPLACE FUNCTION reports.sp_rep_getcomputedinpatients(p_date text)
    RETURNS TABLE ("TotalPatientCharge" integer, "TotalHospCharge" numeric, "TotalProfCharge" numeric,
                   "TotalPatientCash" integer, "TotalHospCash" numeric, "TotalProfCash" numeric)
    LANGUAGE sql STABLE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$
    SELECT count(*) FILTER (WHERE payment_type = 'CHARGE')::integer,
           coalesce(sum(hospital_fee) FILTER (WHERE payment_type = 'CHARGE'), 0),
           coalesce(sum(professional_fee) FILTER (WHERE payment_type = 'CHARGE'), 0),
           count(*) FILTER (WHERE payment_type = 'CASH')::integer,
           coalesce(sum(hospital_fee) FILTER (WHERE payment_type = 'CASH'), 0),
           coalesce(sum(professional_fee) FILTER (WHERE payment_type = 'CASH'), 0)
      FROM reports.tbrepdailydischarges
     WHERE report_date = reports.parse_date(p_date, 'report date')
$$;

-- Lists the day's out-patient visits with their charges by department.
CREATE OR REPLACE FUNCTION reports.sp_rep_dumpdailysummaryofservices(p_date text)
    RETURNS void
    LANGUAGE plpgsql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports, billing, patient_data
AS $$
DECLARE
    d date := reports.parse_date(p_date, 'report date');
BEGIN
    PERFORM pg_advisory_xact_lock(hashtextextended('dailyservicesdept|' || d, 0));
    DELETE FROM reports.tbrepdailyservicesdept WHERE report_date = d;
    INSERT INTO reports.tbrepdailyservicesdept (report_date, visit_id, dept_code, dept_name,
                                                hospital_fee, professional_fee)
    SELECT d, v.visit_id, c.dept_code, dp.name, sum(c.hospital_fee), sum(c.professional_fee)
      FROM patient_data.opd_visits v
      JOIN billing.charges c ON c.visit_id = v.visit_id
      JOIN billing.departments dp ON dp.dept_code = c.dept_code
     WHERE v.visit_date = d
     GROUP BY v.visit_id, c.dept_code, dp.name;
END
$$;

-- Recomputes the day's out-patient visits with their totals.
CREATE OR REPLACE FUNCTION reports.sp_reprecomputeextensionoutpatient(p_date text)
    RETURNS void
    LANGUAGE plpgsql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports, billing, patient_data
AS $$
DECLARE
    d date := reports.parse_date(p_date, 'report date');
BEGIN
    PERFORM pg_advisory_xact_lock(hashtextextended('dailyservices|' || d, 0));
    DELETE FROM reports.tbrepdailyservices WHERE report_date = d;
    INSERT INTO reports.tbrepdailyservices (report_date, visit_id, visit_no, hospital_no, patient_name,
            account_no, account_name, payment_type, dept_code, visited_at, hospital_fee,
            professional_fee, computed_at)
    SELECT d, v.visit_id, v.visit_no, p.hospital_no, p.last_name || ', ' || p.first_name,
           ac.account_no, ac.name,
           CASE WHEN cl.account_kind = 'PATIENT' THEN 'CASH' ELSE 'CHARGE' END,
           v.dept_code, v.visited_at,
           coalesce(ch.hospital_fee, 0), coalesce(ch.professional_fee, 0), now()
      FROM patient_data.opd_visits v
      JOIN patient_data.patients p ON p.patient_id = v.patient_id
      JOIN billing.accounts ac ON ac.account_id = v.account_id
      JOIN billing.account_classes cl ON cl.class_code = ac.class_code
      LEFT JOIN LATERAL (SELECT sum(c.hospital_fee) AS hospital_fee,
                                sum(c.professional_fee) AS professional_fee
                           FROM billing.charges c WHERE c.visit_id = v.visit_id) ch ON true
     WHERE v.visit_date = d;
END
$$;

-- The six totals of the day's computed visits, as for the discharges.
CREATE OR REPLACE FUNCTION reports.sp_rep_getcomputedoutpatients(p_date text)
    RETURNS TABLE ("TotalPatientCharge" integer, "TotalHospCharge" numeric, "TotalProfCharge" numeric,
                   "TotalPatientCash" integer, "TotalHospCash" numeric, "TotalProfCash" numeric)
    LANGUAGE sql STABLE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$
    SELECT count(*) FILTER (WHERE payment_type = 'CHARGE')::integer,
           coalesce(sum(hospital_fee) FILTER (WHERE payment_type = 'CHARGE'), 0),
           coalesce(sum(professional_fee) FILTER (WHERE payment_type = 'CHARGE'), 0),
           count(*) FILTER (WHERE payment_type = 'CASH')::integer,
           coalesce(sum(hospital_fee) FILTER (WHERE payment_type = 'CASH'), 0),
           coalesce(sum(professional_fee) FILTER (WHERE payment_type = 'CASH'), 0)
      FROM reports.tbrepdailyservices
     WHERE report_date = reports.parse_date(p_date, 'report date')
$$;
