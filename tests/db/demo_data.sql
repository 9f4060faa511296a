-- The demo generator loads into an empty database, gives the same rows on
-- every run, and its figures reconcile: every month has charges in every
-- clinical department, aging at net equals the receivable control account,
-- and collections equal the payments posted.
\set QUIET on
\set ON_ERROR_STOP on
SELECT current_database() AS home \gset
DROP DATABASE IF EXISTS pelmar_demo_check;
CREATE DATABASE pelmar_demo_check;
\c pelmar_demo_check
\o /dev/null
\ir ../../db/00_foundation.sql
\ir ../../db/10_patients.sql
\ir ../../db/20_billing.sql
\ir ../../db/40_report_tables.sql
\ir ../../db/50_procedures_daily.sql
\ir ../../db/51_procedures_monthly.sql
\ir ../../db/52_procedures_aging.sql
\ir ../../db/53_procedures_search.sql
\ir ../../db/54_procedures_statistics.sql
\ir ../../db/60_views.sql
\ir ../../db/90_grants.sql
\set scale 0.03
\set months 12
\set history_end 2012-12-31
\ir ../../db/demo/generate.sql
\o
\timing off

CREATE TEMP TABLE first_run AS
SELECT md5(string_agg(format('%s|%s|%s|%s', charge_id, business_date, revenue_code, hospital_fee), ',' ORDER BY charge_id)) AS charges,
       (SELECT md5(string_agg(format('%s|%s|%s', entry_id, bill_id, amount), ',' ORDER BY entry_id)) FROM billing.ar_ledger) AS ledger
  FROM billing.charges;

DO $$
DECLARE
    missing text;
BEGIN
    ASSERT (SELECT min(business_date) FROM billing.charges) = '2012-01-01';
    ASSERT (SELECT max(business_date) FROM billing.charges) <= '2012-12-31';
    SELECT string_agg(d || ' ' || m, ', ') INTO missing
      FROM unnest(ARRAY['LB', 'XR', 'US', 'CT', 'PT', 'PA', 'AP', 'OR', 'RB', 'PH']) d,
           generate_series('2012-01-01'::date, '2012-12-01', interval '1 month') m
     WHERE NOT EXISTS (SELECT 1 FROM billing.charges c WHERE c.dept_code = d
                          AND c.business_date >= m AND c.business_date < m + interval '1 month');
    ASSERT missing IS NULL, 'months without charges: ' || missing;
    ASSERT EXISTS (SELECT 1 FROM patient_data.patients WHERE last_name LIKE '%''%'), 'no apostrophe names';
    ASSERT (SELECT string_agg(name, ',' ORDER BY period_no) FROM billing.accounting_periods WHERE period_no IN (1, 12))
         = 'JANUARY 2012,DECEMBER 2012';

    PERFORM reports.sp_billing_repagingrecompute('12/01/2012', '12/31/2012', 'A');
    ASSERT (SELECT sum(balance) FROM reports.vw_aging)
         = (SELECT sum(net) FROM reports.vw_gl_entries WHERE ar_control AND entry_date <= '2012-12-31'),
        'aging at net does not equal the receivable control account';
    ASSERT (SELECT sum(debit) = sum(credit) FROM billing.gl_entries), 'the ledger does not balance';
    ASSERT (SELECT sum(amount) FROM billing.receipts)
         = -(SELECT sum(amount) FROM billing.ar_ledger WHERE kind = 'PAYMENT'), 'receipts differ from payments';
    -- a bill holds exactly the charges of its stay or visit
    ASSERT NOT EXISTS (SELECT 1 FROM billing.ar_ledger l
                        WHERE l.kind = 'BILL'
                          AND l.amount <> (SELECT coalesce(sum(hospital_fee + professional_fee), 0)
                                             FROM billing.charges c WHERE c.bill_id = l.bill_id)), 'a bill differs from its charges';
    PERFORM reports.sp_rep_monthlyrecompute('06/01/2012', '06/30/2012', 'LB', 'N');
    ASSERT (SELECT sum(hospital_fee) FROM reports.tbrepmonthly)
         = (SELECT sum(hospital_fee) FROM billing.charges WHERE dept_code = 'LB'
             AND business_date BETWEEN '2012-06-01' AND '2012-06-30');
END
$$;

-- A second run over the loaded data gives the same rows.
\o /dev/null
\ir ../../db/demo/generate.sql
\o
DO $$
BEGIN
    ASSERT (SELECT charges FROM first_run)
         = (SELECT md5(string_agg(format('%s|%s|%s|%s', charge_id, business_date, revenue_code, hospital_fee), ',' ORDER BY charge_id))
              FROM billing.charges), 'charges differ between runs';
    ASSERT (SELECT ledger FROM first_run)
         = (SELECT md5(string_agg(format('%s|%s|%s', entry_id, bill_id, amount), ',' ORDER BY entry_id))
              FROM billing.ar_ledger), 'the ledger differs between runs';
END
$$;

\c :home
DROP DATABASE pelmar_demo_check;
