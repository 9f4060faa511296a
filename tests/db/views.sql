-- What the templates that run no procedure read: the views over the base
-- data, filtered as their templates filter them, against the fixture.
BEGIN;
-- Runs that other tests committed would count below.
DELETE FROM reports.tbrepmonthly;
SET ROLE tester;

DO $$
DECLARE
    r record;
BEGIN
    FOR r IN SELECT * FROM (VALUES
        -- the laboratory logbook of 03/14 leaves out the corrected urinalysis and its reversal
        ('logbook LB 03/14', (SELECT string_agg(revenue_code || ' ' || quantity, ', ' ORDER BY posted_at)
                                FROM reports.vw_daily_logbook
                               WHERE business_date = '2012-03-14' AND dept_code = 'LB'),
                             'LB002 1.00, LB001 1.00'),
        ('logbook LB 03/11', (SELECT count(*)::text FROM reports.vw_daily_logbook
                               WHERE business_date = '2012-03-11' AND dept_code = 'LB'), '0'),
        ('admissions 03/14-03/20', (SELECT string_agg(admission_no || ' ' || patient_name || ' ' || bed_code, ', '
                                                      ORDER BY admitted_at)
                                      FROM reports.vw_admissions WHERE admission_date BETWEEN '2012-03-14' AND '2012-03-20'),
                                   'A-0002 O''BRIEN, MARY 101-B, A-0004 TAN, LEE 102-A'),
        ('opd 03/15', (SELECT string_agg(visit_no || ' ' || dept_code, ', ' ORDER BY visited_at)
                         FROM reports.vw_opd_visits WHERE visit_date = '2012-03-15'), 'V-0001 LB, V-0002 XR'),
        ('discharges 03/15', (SELECT string_agg(admission_no || ' ' || payment_type || ' ' || age_group || ' '
                                                || hospital_fee || '/' || professional_fee, ', ' ORDER BY admission_no)
                                FROM reports.vw_discharges WHERE discharge_date = '2012-03-15'),
                             'A-0001 CHARGE 60 AND OVER 27370.00/5000.00, A-0002 CASH 15-44 1850.00/200.00, '
                             'A-0003 CASH 60 AND OVER 20250.00/1000.00'),
        ('company discharges March', (SELECT string_agg(admission_no || ' ' || account_no, ', ' ORDER BY admission_no)
                                        FROM reports.vw_discharges
                                       WHERE discharge_date BETWEEN '2012-03-01' AND '2012-03-31' AND payment_type = 'CHARGE'),
                                     'A-0001 C-001, A-0005 H-001'),
        -- adjustments of one day, the whole last day included by its time
        ('adjustments 03/16', (SELECT count(*) || ' ' || sum(amount) FROM reports.vw_adjustments
                                WHERE adjusted_at BETWEEN '2012-03-16' AND '2012-03-16 23:59:59.99'), '3 300.00'),
        ('adjustments 03/15', (SELECT string_agg(adj_type || ' ' || amount, ', ') FROM reports.vw_adjustments
                                WHERE adjustment_date = '2012-03-15'), 'SC 4050.00'),
        ('payments 03/15 by section', (SELECT string_agg(section || ' ' || total, ', ' ORDER BY section)
                                         FROM (SELECT section, sum(amount) AS total FROM reports.vw_payments
                                                WHERE receipt_date = '2012-03-15' GROUP BY section) s),
                                      'Hospital 12050.00, Multi Diagnostic 1450.00'),
        ('collection March, multi diagnostic', (SELECT sum(amount)::text FROM billing.vw_cash_collection
                                                 WHERE receipt_date BETWEEN '2012-03-01' AND '2012-03-31'
                                                   AND section_flag = 1), '2950.00'),
        -- collections of a day equal the payments posted to the receivables
        ('collections = payments 03/15', (SELECT (SELECT sum(amount) FROM reports.vw_payments WHERE receipt_date = '2012-03-15')
                                                 = -(SELECT sum(amount) FROM reports.vw_audit_trail
                                                      WHERE transaction_date = '2012-03-15' AND transaction_kind = 'PAYMENT'))::text,
                                         'true'),
        ('audit trail 03/15 in-patients', (SELECT string_agg(transaction_kind || ' ' || n, ', ' ORDER BY transaction_kind)
                                             FROM (SELECT transaction_kind, count(*) AS n FROM reports.vw_audit_trail
                                                    WHERE transaction_date = '2012-03-15' AND patient_type = 'I'
                                                    GROUP BY 1) x),
                                          'BILL 3, CHARGE 2, DISCOUNT 1, PAYMENT 4'),
        ('doctors 03/15 all', (SELECT string_agg(doctor_code || ' ' || professional_fee, ', ' ORDER BY patient_type)
                                 FROM reports.vw_doctor_fees WHERE business_date = '2012-03-15'), 'D02 200.00, D02 200.00'),
        ('gl balanced', (SELECT (sum(debit) = sum(credit))::text FROM reports.vw_gl_entries), 'true'),
        ('gl A/R March', (SELECT string_agg(gl_code || ' ' || net, ', ' ORDER BY gl_code)
                            FROM (SELECT gl_code, sum(net) AS net FROM reports.vw_gl_entries
                                   WHERE entry_date BETWEEN '2012-03-01' AND '2012-03-31' AND ledger = 'A'
                                   GROUP BY gl_code) g),
                         '1000 20000.00, 1100 51740.00, 2100 -9700.00, 4000 -66390.00, 5100 4350.00, 5200 0.00'),
        ('revenue March = charges', (SELECT sum(hospital_fee)::text FROM reports.vw_departmental_revenue
                                      WHERE business_date BETWEEN '2012-03-01' AND '2012-03-31'), '58390.00'),
        ('sales Q1 2012', (SELECT sum(hospital_fee) || ' ' || sum(professional_fee) FROM reports.vw_sales
                            WHERE sales_year = 2012 AND sales_quarter = 1), '70860.00 10200.00'),
        ('package deals March', (SELECT string_agg(package_code || ' ' || quantity || ' ' || hospital_fee, ', ')
                                   FROM reports.vw_package_deals
                                  WHERE business_date BETWEEN '2012-03-01' AND '2012-03-31'), 'LBP-EXEC 1.00 1200.00'),
        ('senior citizens March', (SELECT string_agg(bill_no || ' ' || senior_discount || ' ' || net_amount, ', ' ORDER BY bill_no)
                                     FROM reports.vw_senior_citizen_income
                                    WHERE bill_date BETWEEN '2012-03-01' AND '2012-03-31'),
                                  'B-0001 0.00 32370.00, B-0003 4050.00 17200.00, B-0009 300.00 1500.00'),
        -- the account status as of a date: in-house stays and their running balance
        ('account status 03/14', (SELECT string_agg(admission_no || ' ' || balance, ', ' ORDER BY admission_no)
                                    FROM (SELECT admission_no, sum(amount) AS balance
                                            FROM billing.vw_patient_account_status
                                           WHERE entry_date <= '2012-03-14' AND admission_date <= '2012-03-14'
                                             AND (discharge_date IS NULL OR discharge_date > '2012-03-14')
                                           GROUP BY admission_no) s),
                                 'A-0001 32370.00, A-0002 250.00, A-0003 21250.00'),
        ('account status 03/31', (SELECT string_agg(admission_no || ' ' || balance, ', ' ORDER BY admission_no)
                                    FROM (SELECT admission_no, sum(amount) AS balance
                                            FROM billing.vw_patient_account_status
                                           WHERE entry_date <= '2012-03-31' AND admission_date <= '2012-03-31'
                                             AND (discharge_date IS NULL OR discharge_date > '2012-03-31')
                                           GROUP BY admission_no) s),
                                 'A-0006 4750.00')
        ) AS v(name, got, want) LOOP
        IF r.got IS DISTINCT FROM r.want THEN
            RAISE EXCEPTION '%: got "%", expected "%"', r.name, r.got, r.want;
        END IF;
    END LOOP;
END
$$;

-- The departmental summaries of every department add up to the month's charges.
DO $$
DECLARE
    d text;
BEGIN
    FOR d IN SELECT DISTINCT dept_code FROM reports.vw_departmental_revenue LOOP
        PERFORM reports.sp_rep_monthlyrecompute('03/01/2012', '03/31/2012', d, 'N');
    END LOOP;
    ASSERT (SELECT sum(hospital_fee) FROM reports.tbrepmonthly WHERE start_date = '2012-03-01' AND option_flag = 'N')
         = (SELECT sum(hospital_fee) FROM reports.vw_departmental_revenue
             WHERE business_date BETWEEN '2012-03-01' AND '2012-03-31');
END
$$;
RESET ROLE;
ROLLBACK;
