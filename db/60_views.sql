-- Views the templates read.  Reports that run no procedure read the base
-- data through these views, filtered by their dates; the views of aging and
-- statistics show the signed-in user's own runs.  Members of the reports
-- role read these views and the report tables, never the base tables.

SET client_min_messages = warning;

-- Examinations and services one by one; corrected charges and their
-- reversals are left out, so a logbook lists what was actually done.
CREATE OR REPLACE VIEW reports.vw_daily_logbook AS
SELECT c.charge_id, c.business_date, c.posted_at, c.dept_code, d.name AS dept_name, c.patient_type,
       p.hospital_no, p.last_name || ', ' || p.first_name AS patient_name, p.sex,
       extract(year FROM age(c.business_date, p.birth_date))::int AS age,
       coalesce(a.admission_no, v.visit_no) AS case_no, a.station_code,
       c.revenue_code, r.description, dr.name AS doctor_name, c.quantity,
       c.hospital_fee, c.professional_fee, c.entered_by
  FROM billing.charges c
  JOIN billing.departments d ON d.dept_code = c.dept_code
  JOIN billing.revenue_codes r ON r.revenue_code = c.revenue_code
  JOIN patient_data.patients p ON p.patient_id = c.patient_id
  LEFT JOIN patient_data.admissions a ON a.admission_id = c.admission_id
  LEFT JOIN patient_data.opd_visits v ON v.visit_id = c.visit_id
  LEFT JOIN patient_data.doctors dr ON dr.doctor_id = c.doctor_id
 WHERE c.reverses_charge_id IS NULL
   AND NOT EXISTS (SELECT 1 FROM billing.charges x WHERE x.reverses_charge_id = c.charge_id);

-- Admissions with the patient, the first bed, the doctor and the account.
CREATE OR REPLACE VIEW reports.vw_admissions AS
SELECT a.admission_id, a.admission_no, a.admission_date, a.admitted_at, a.admission_type,
       p.hospital_no, p.last_name || ', ' || p.first_name AS patient_name, p.sex,
       extract(year FROM age(a.admission_date, p.birth_date))::int AS age, p.address, p.city,
       a.station_code, s.name AS station_name,
       (SELECT bs.bed_code FROM patient_data.bed_stays bs WHERE bs.admission_id = a.admission_id
         ORDER BY bs.from_at LIMIT 1) AS bed_code,
       dr.name AS doctor_name, a.diagnosis, ac.account_no, ac.name AS account_name,
       a.discharge_date, a.discharged_at, a.disposition
  FROM patient_data.admissions a
  JOIN patient_data.patients p ON p.patient_id = a.patient_id
  JOIN patient_data.stations s ON s.station_code = a.station_code
  JOIN patient_data.doctors dr ON dr.doctor_id = a.doctor_id
  JOIN billing.accounts ac ON ac.account_id = a.account_id;

-- Out-patient registrations.
CREATE OR REPLACE VIEW reports.vw_opd_visits AS
SELECT v.visit_id, v.visit_no, v.visit_date, v.visited_at, v.visit_type, v.dept_code, d.name AS dept_name,
       p.hospital_no, p.last_name || ', ' || p.first_name AS patient_name, p.sex,
       extract(year FROM age(v.visit_date, p.birth_date))::int AS age, p.address, p.city,
       dr.name AS doctor_name, v.complaint, ac.account_no, ac.name AS account_name
  FROM patient_data.opd_visits v
  JOIN patient_data.patients p ON p.patient_id = v.patient_id
  JOIN billing.departments d ON d.dept_code = v.dept_code
  JOIN billing.accounts ac ON ac.account_id = v.account_id
  LEFT JOIN patient_data.doctors dr ON dr.doctor_id = v.doctor_id;

-- Discharges with their stay, charges and who pays.
CREATE OR REPLACE VIEW reports.vw_discharges AS
SELECT a.admission_id, a.admission_no, a.discharge_date, a.discharged_at, a.admitted_at,
       greatest(a.discharge_date - a.admission_date, 1) AS days_of_stay, a.disposition,
       p.hospital_no, p.last_name || ', ' || p.first_name AS patient_name, p.sex,
       extract(year FROM age(a.discharge_date, p.birth_date))::int AS age,
       CASE WHEN age(a.discharge_date, p.birth_date) < interval '1 year' THEN 'UNDER 1'
            WHEN age(a.discharge_date, p.birth_date) < interval '15 years' THEN '1-14'
            WHEN age(a.discharge_date, p.birth_date) < interval '45 years' THEN '15-44'
            WHEN age(a.discharge_date, p.birth_date) < interval '60 years' THEN '45-59'
            ELSE '60 AND OVER' END AS age_group,
       p.city, p.civil_status, a.station_code, dr.name AS doctor_name, a.diagnosis,
       ac.account_no, ac.name AS account_name, cl.class_code, cl.name AS class_name,
       CASE WHEN cl.account_kind = 'PATIENT' THEN 'CASH' ELSE 'CHARGE' END AS payment_type,
       coalesce(ch.hospital_fee, 0) AS hospital_fee, coalesce(ch.professional_fee, 0) AS professional_fee
  FROM patient_data.admissions a
  JOIN patient_data.patients p ON p.patient_id = a.patient_id
  JOIN patient_data.doctors dr ON dr.doctor_id = a.doctor_id
  JOIN billing.accounts ac ON ac.account_id = a.account_id
  JOIN billing.account_classes cl ON cl.class_code = ac.class_code
  LEFT JOIN LATERAL (SELECT sum(c.hospital_fee) AS hospital_fee, sum(c.professional_fee) AS professional_fee
                       FROM billing.charges c WHERE c.admission_id = a.admission_id) ch ON true
 WHERE a.discharged_at IS NOT NULL;

-- Discounts and adjustments, with the moment they were entered.  amount is
-- the reduction of the bill (a reversal shows as a negative reduction).
CREATE OR REPLACE VIEW reports.vw_adjustments AS
SELECT l.entry_id, l.entry_date AS adjustment_date, l.entered_at AS adjusted_at, l.entered_by,
       l.kind, l.adj_type, t.name AS adj_name, t.is_discount, b.bill_no, b.bill_date,
       CASE WHEN b.admission_id IS NOT NULL THEN 'I' WHEN b.visit_id IS NOT NULL THEN 'O' END AS patient_type,
       coalesce(p.last_name || ', ' || p.first_name, '') AS patient_name,
       ac.account_no, ac.name AS account_name,
       -l.hospital_amount AS hospital_amount, -l.professional_amount AS professional_amount,
       -l.amount AS amount, l.remarks, l.reverses_entry_id IS NOT NULL AS is_reversal
  FROM billing.ar_ledger l
  JOIN billing.adjustment_types t ON t.adj_type = l.adj_type
  JOIN billing.bills b ON b.bill_id = l.bill_id
  JOIN billing.accounts ac ON ac.account_id = b.account_id
  LEFT JOIN patient_data.patients p ON p.patient_id = b.patient_id
 WHERE l.kind IN ('DISCOUNT', 'ADJUSTMENT');

-- Receipts by cashier and section; section_flag 0 is the hospital, 1 the
-- multi diagnostic section, as the cash collection dialog passes it.
CREATE OR REPLACE VIEW reports.vw_payments AS
SELECT r.receipt_id, r.receipt_no, r.receipt_date, r.received_at, r.cashier, r.section,
       CASE r.section WHEN 'Hospital' THEN 0 ELSE 1 END::smallint AS section_flag,
       r.dept_code, d.name AS dept_name, r.payer, a.account_no, a.name AS account_name,
       r.pay_mode, r.amount, r.reverses_receipt_id IS NOT NULL AS is_reversal
  FROM billing.receipts r
  JOIN billing.departments d ON d.dept_code = r.dept_code
  JOIN billing.accounts a ON a.account_id = r.account_id;

CREATE OR REPLACE VIEW billing.vw_cash_collection AS SELECT * FROM reports.vw_payments;

-- Every transaction of the day for the audit trail: charges, bills,
-- payments, discounts and adjustments.
CREATE OR REPLACE VIEW reports.vw_audit_trail AS
SELECT c.business_date AS transaction_date, c.posted_at AS transaction_time, c.patient_type,
       'CHARGE'::text AS transaction_kind, coalesce(a.admission_no, v.visit_no) AS reference_no,
       p.last_name || ', ' || p.first_name AS patient_name, ac.account_no, ac.name AS account_name,
       c.dept_code, r.description, dr.name AS doctor_name,
       c.hospital_fee AS hospital_amount, c.professional_fee AS professional_amount,
       c.hospital_fee + c.professional_fee AS amount, c.entered_by,
       c.reverses_charge_id IS NOT NULL AS is_reversal
  FROM billing.charges c
  JOIN patient_data.patients p ON p.patient_id = c.patient_id
  JOIN billing.accounts ac ON ac.account_id = c.account_id
  JOIN billing.revenue_codes r ON r.revenue_code = c.revenue_code
  LEFT JOIN patient_data.admissions a ON a.admission_id = c.admission_id
  LEFT JOIN patient_data.opd_visits v ON v.visit_id = c.visit_id
  LEFT JOIN patient_data.doctors dr ON dr.doctor_id = c.doctor_id
UNION ALL
SELECT l.entry_date, l.entered_at,
       CASE WHEN b.admission_id IS NOT NULL THEN 'I' WHEN b.visit_id IS NOT NULL THEN 'O' END,
       l.kind, b.bill_no, coalesce(p.last_name || ', ' || p.first_name, ''), ac.account_no, ac.name,
       NULL, coalesce(t.name, l.kind), NULL,
       l.hospital_amount, l.professional_amount, l.amount, l.entered_by,
       l.reverses_entry_id IS NOT NULL
  FROM billing.ar_ledger l
  JOIN billing.bills b ON b.bill_id = l.bill_id
  JOIN billing.accounts ac ON ac.account_id = b.account_id
  LEFT JOIN patient_data.patients p ON p.patient_id = b.patient_id
  LEFT JOIN billing.adjustment_types t ON t.adj_type = l.adj_type;

-- Doctors' fees by day, for the audit trail and the revenue breakdown.
CREATE OR REPLACE VIEW reports.vw_doctor_fees AS
SELECT c.business_date, c.patient_type, dr.doctor_code, dr.name AS doctor_name, c.dept_code,
       p.last_name || ', ' || p.first_name AS patient_name, c.revenue_code, c.professional_fee,
       'A'::text AS ledger
  FROM billing.charges c
  JOIN patient_data.doctors dr ON dr.doctor_id = c.doctor_id
  JOIN patient_data.patients p ON p.patient_id = c.patient_id
 WHERE c.professional_fee <> 0;

-- General ledger entries; ledger 'A' marks those posted from receivables.
CREATE OR REPLACE VIEW reports.vw_gl_entries AS
SELECT g.gl_entry_id, g.entry_date, g.period_no, g.gl_code, ga.name AS gl_name, ga.kind AS gl_kind,
       ga.ar_control, CASE WHEN g.ar_entry_id IS NOT NULL THEN 'A' ELSE 'G' END AS ledger,
       g.patient_type, ac.account_no, ac.name AS account_name, g.debit, g.credit,
       g.debit - g.credit AS net, g.description
  FROM billing.gl_entries g
  JOIN billing.gl_accounts ga ON ga.gl_code = g.gl_code
  LEFT JOIN billing.accounts ac ON ac.account_id = g.account_id;

-- Revenue by department and revenue code, day by day.
CREATE OR REPLACE VIEW reports.vw_departmental_revenue AS
SELECT c.business_date, c.dept_code, d.name AS dept_name, d.kind AS dept_kind, c.patient_type,
       c.revenue_code, r.description, sum(c.quantity) AS quantity,
       sum(c.hospital_fee) AS hospital_fee, sum(c.professional_fee) AS professional_fee,
       'A'::text AS ledger
  FROM billing.charges c
  JOIN billing.departments d ON d.dept_code = c.dept_code
  JOIN billing.revenue_codes r ON r.revenue_code = c.revenue_code
 GROUP BY c.business_date, c.dept_code, d.name, d.kind, c.patient_type, c.revenue_code, r.description;

-- Sales: hospital income by day, department and patient type, with the
-- month and quarter to group by.
CREATE OR REPLACE VIEW reports.vw_sales AS
SELECT c.business_date, date_trunc('month', c.business_date)::date AS sales_month,
       extract(year FROM c.business_date)::int AS sales_year,
       extract(quarter FROM c.business_date)::int AS sales_quarter,
       c.dept_code, d.name AS dept_name, c.patient_type,
       sum(c.hospital_fee) AS hospital_fee, sum(c.professional_fee) AS professional_fee
  FROM billing.charges c
  JOIN billing.departments d ON d.dept_code = c.dept_code
 GROUP BY c.business_date, c.dept_code, d.name, c.patient_type;

-- Package deals sold, one row per package charge.
CREATE OR REPLACE VIEW reports.vw_package_deals AS
SELECT c.business_date, c.package_code, pk.description AS package_name, pk.dept_code, c.patient_type,
       p.last_name || ', ' || p.first_name AS patient_name, c.quantity, c.hospital_fee,
       c.professional_fee
  FROM billing.charges c
  JOIN billing.packages pk ON pk.package_code = c.package_code
  JOIN patient_data.patients p ON p.patient_id = c.patient_id;

-- Senior citizens' bills: gross, the senior discount, and net.
CREATE OR REPLACE VIEW reports.vw_senior_citizen_income AS
SELECT b.bill_id, b.bill_no, b.bill_date,
       CASE WHEN b.admission_id IS NOT NULL THEN 'I' WHEN b.visit_id IS NOT NULL THEN 'O' END AS patient_type,
       p.hospital_no, p.last_name || ', ' || p.first_name AS patient_name, p.senior_id,
       coalesce(sum(l.hospital_amount) FILTER (WHERE l.kind = 'BILL'), 0) AS gross_hospital,
       coalesce(sum(l.professional_amount) FILTER (WHERE l.kind = 'BILL'), 0) AS gross_professional,
       coalesce(-sum(l.amount) FILTER (WHERE l.adj_type = 'SC'), 0) AS senior_discount,
       coalesce(sum(l.amount) FILTER (WHERE l.kind = 'BILL' OR l.adj_type = 'SC'), 0) AS net_amount
  FROM billing.bills b
  JOIN patient_data.patients p ON p.patient_id = b.patient_id
  JOIN billing.ar_ledger l ON l.bill_id = b.bill_id
 WHERE p.senior_id IS NOT NULL
 GROUP BY b.bill_id, b.bill_no, b.bill_date, b.admission_id, b.visit_id, p.hospital_no,
          p.last_name, p.first_name, p.senior_id;

-- Movements of the accounts of in-patients, for the account status as of a
-- date: charges raise the balance on their date; payments, discounts and
-- adjustments of the stay's bills lower it.  A template sums the rows dated
-- on or before its date for the stays admitted by then and not discharged
-- before it.
CREATE OR REPLACE VIEW billing.vw_patient_account_status AS
SELECT a.admission_id, a.admission_no, a.admission_date, a.discharge_date, a.station_code,
       p.hospital_no, p.last_name || ', ' || p.first_name AS patient_name,
       ac.account_no, ac.name AS account_name, ac.credit_limit,
       c.business_date AS entry_date, 'CHARGE'::text AS kind,
       c.hospital_fee + c.professional_fee AS amount
  FROM patient_data.admissions a
  JOIN patient_data.patients p ON p.patient_id = a.patient_id
  JOIN billing.accounts ac ON ac.account_id = a.account_id
  JOIN billing.charges c ON c.admission_id = a.admission_id
UNION ALL
SELECT a.admission_id, a.admission_no, a.admission_date, a.discharge_date, a.station_code,
       p.hospital_no, p.last_name || ', ' || p.first_name, ac.account_no, ac.name, ac.credit_limit,
       l.entry_date, l.kind, l.amount
  FROM patient_data.admissions a
  JOIN patient_data.patients p ON p.patient_id = a.patient_id
  JOIN billing.accounts ac ON ac.account_id = a.account_id
  JOIN billing.bills b ON b.admission_id = a.admission_id
  JOIN billing.ar_ledger l ON l.bill_id = b.bill_id AND l.kind <> 'BILL';

-- The signed-in user's aging rows, and their sums by class and by account.
DO $$
DECLARE
    s text;
BEGIN
    FOREACH s IN ARRAY ARRAY['reports', 'billing'] LOOP
        EXECUTE format('CREATE OR REPLACE VIEW %1$I.vw_aging AS
            SELECT * FROM %1$I.tbrepaging WHERE computed_by = session_user', s);
        EXECUTE format('CREATE OR REPLACE VIEW %1$I.vw_aging_classification AS
            SELECT start_date, end_date, balance_kind, class_code, class_name,
                   count(DISTINCT account_id) AS accounts, sum(balance) AS balance,
                   sum(current_amount) AS current_amount, sum(days_1_30) AS days_1_30,
                   sum(days_31_60) AS days_31_60, sum(days_61_90) AS days_61_90,
                   sum(days_91_120) AS days_91_120, sum(over_120) AS over_120,
                   sum(interest_income) AS interest_income
              FROM %1$I.vw_aging
             GROUP BY start_date, end_date, balance_kind, class_code, class_name', s);
        EXECUTE format('CREATE OR REPLACE VIEW %1$I.vw_aging_accounts AS
            SELECT start_date, end_date, balance_kind, account_id, account_no, account_name,
                   class_code, class_name, credit_limit, terms_days, interest_rate,
                   sum(beginning_balance) AS beginning_balance, sum(billed) AS billed,
                   sum(paid) AS paid, sum(adjusted) AS adjusted, sum(balance) AS balance,
                   sum(current_amount) AS current_amount, sum(days_1_30) AS days_1_30,
                   sum(days_31_60) AS days_31_60, sum(days_61_90) AS days_61_90,
                   sum(days_91_120) AS days_91_120, sum(over_120) AS over_120,
                   sum(interest_income) AS interest_income
              FROM %1$I.vw_aging
             GROUP BY start_date, end_date, balance_kind, account_id, account_no, account_name,
                      class_code, class_name, credit_limit, terms_days, interest_rate', s);
    END LOOP;
END
$$;

CREATE OR REPLACE VIEW reports.vw_payable_aging_accounts AS
SELECT start_date, end_date, account_id, account_no, account_name, class_code, class_name, terms_days,
       sum(beginning_balance) AS beginning_balance, sum(invoiced) AS invoiced, sum(paid) AS paid,
       sum(balance) AS balance, sum(current_amount) AS current_amount, sum(days_1_30) AS days_1_30,
       sum(days_31_60) AS days_31_60, sum(days_61_90) AS days_61_90, sum(days_91_120) AS days_91_120,
       sum(over_120) AS over_120
  FROM reports.tbreppayableaging
 GROUP BY start_date, end_date, account_id, account_no, account_name, class_code, class_name, terms_days;

CREATE OR REPLACE VIEW reports.vw_statistics AS
SELECT * FROM reports.tbrepstatistics WHERE computed_by = session_user;
