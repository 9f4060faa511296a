-- Receivable and payable aging.  A bill is aged as of the end date from the
-- ledger rows dated on or before it, by the days it is past due (bill date
-- plus the account's terms): current (not yet due), 1-30, 31-60, 61-90,
-- 91-120 and over 120 days.  The buckets add up to the balance; the
-- balances of all accounts at net add up to the receivable control account.
-- The start date splits the period's movement from the opening balance.

SET client_min_messages = warning;

-- Balance kinds: P ages the accounts whose balance is positive, N those in
-- credit, A every account at net.  Bills settled to zero are left out.
CREATE OR REPLACE FUNCTION reports.aging_rows(
        p_start date, p_end date, p_kind char,
        p_class text, p_account text, p_from date, p_to date)
    RETURNS TABLE (account_id bigint, account_no text, account_name text, class_code text,
                   class_name text, credit_limit numeric, terms_days integer, interest_rate numeric,
                   bill_id bigint, bill_no text, patient_name text, bill_date date, due_date date,
                   days_past_due integer, beginning_balance numeric, billed numeric, paid numeric,
                   adjusted numeric, balance numeric, current_amount numeric, days_1_30 numeric,
                   days_31_60 numeric, days_61_90 numeric, days_91_120 numeric, over_120 numeric,
                   interest_income numeric)
    LANGUAGE plpgsql STABLE
    SET search_path = pg_catalog, billing, patient_data
    SET work_mem = '64MB'
AS $f$
DECLARE
    -- Only the selections in use become conditions, and the statement is
    -- planned for these values: one plan for every case estimates badly.
    cond text := concat_ws(' ',
        CASE WHEN p_class IS NOT NULL THEN 'AND a.class_code = $4' END,
        CASE WHEN p_account IS NOT NULL THEN 'AND upper(a.account_no) = upper($5)' END,
        CASE WHEN p_from IS NOT NULL THEN 'AND b.bill_date BETWEEN $6 AND $7' END);
BEGIN
    RETURN QUERY EXECUTE format($q$
    WITH mov AS MATERIALIZED (
        SELECT l.bill_id,
               coalesce(sum(l.amount) FILTER (WHERE l.entry_date < $1), 0) AS beginning_balance,
               coalesce(sum(l.amount) FILTER (WHERE l.entry_date >= $1 AND l.kind = 'BILL'), 0) AS billed,
               coalesce(sum(l.amount) FILTER (WHERE l.entry_date >= $1 AND l.kind = 'PAYMENT'), 0) AS paid,
               coalesce(sum(l.amount) FILTER (WHERE l.entry_date >= $1
                                                AND l.kind IN ('DISCOUNT', 'ADJUSTMENT')), 0) AS adjusted,
               sum(l.amount) AS balance
          FROM billing.ar_ledger l %s
         WHERE l.entry_date <= $2 %s
         GROUP BY l.bill_id
        HAVING sum(l.amount) <> 0
    ), bal AS (
        SELECT b.bill_id, b.bill_no, b.bill_date, b.patient_id, a.account_id, a.account_no,
               a.name AS account_name, a.class_code, cl.name AS class_name, a.credit_limit,
               a.terms_days, a.interest_rate, b.bill_date + a.terms_days AS due_date,
               m.beginning_balance, m.billed, m.paid, m.adjusted, m.balance,
               ($2 - (b.bill_date + a.terms_days)) AS days_past_due,
               sum(m.balance) OVER (PARTITION BY a.account_id) AS account_balance
          FROM mov m
          JOIN billing.bills b ON b.bill_id = m.bill_id
          JOIN billing.accounts a ON a.account_id = b.account_id
          JOIN billing.account_classes cl ON cl.class_code = a.class_code
         WHERE cl.account_kind <> 'SUPPLIER'
    )
    SELECT b.account_id, b.account_no, b.account_name, b.class_code, b.class_name, b.credit_limit,
           b.terms_days, b.interest_rate, b.bill_id, b.bill_no,
           coalesce(p.last_name || ', ' || p.first_name, ''), b.bill_date, b.due_date, b.days_past_due,
           b.beginning_balance, b.billed, b.paid, b.adjusted, b.balance,
           CASE WHEN b.days_past_due <= 0 THEN b.balance ELSE 0 END,
           CASE WHEN b.days_past_due BETWEEN 1 AND 30 THEN b.balance ELSE 0 END,
           CASE WHEN b.days_past_due BETWEEN 31 AND 60 THEN b.balance ELSE 0 END,
           CASE WHEN b.days_past_due BETWEEN 61 AND 90 THEN b.balance ELSE 0 END,
           CASE WHEN b.days_past_due BETWEEN 91 AND 120 THEN b.balance ELSE 0 END,
           CASE WHEN b.days_past_due > 120 THEN b.balance ELSE 0 END,
           -- simple interest a year on what is overdue; credits earn nothing
           CASE WHEN b.days_past_due > 0 AND b.balance > 0
                THEN round(b.balance * b.interest_rate / 100 * b.days_past_due / 365, 2) ELSE 0 END
      FROM bal b
      LEFT JOIN patient_data.patients p ON p.patient_id = b.patient_id
     WHERE $3 = 'A'
        OR ($3 = 'P' AND b.account_balance > 0)
        OR ($3 = 'N' AND b.account_balance < 0)$q$,
        CASE WHEN cond <> '' THEN 'JOIN billing.bills b ON b.bill_id = l.bill_id
                                  JOIN billing.accounts a ON a.account_id = b.account_id' ELSE '' END,
        cond)
    USING p_start, p_end, p_kind, p_class, p_account, p_from, p_to;
END
$f$;
REVOKE ALL ON FUNCTION reports.aging_rows(date, date, char, text, text, date, date) FROM PUBLIC;

CREATE OR REPLACE FUNCTION reports.balance_kind(p_kind text)
    RETURNS char
    LANGUAGE plpgsql IMMUTABLE
    SET search_path = pg_catalog
AS $$
BEGIN
    IF upper(btrim(coalesce(p_kind, ''))) NOT IN ('P', 'N', 'A') THEN
        RAISE EXCEPTION 'The balance kind "%" is not P (receivables), N (payables) or A (all at net)', p_kind
            USING ERRCODE = 'invalid_parameter_value';
    END IF;
    RETURN upper(btrim(p_kind));
END
$$;
REVOKE ALL ON FUNCTION reports.balance_kind(text) FROM PUBLIC;

-- The dates of an accounting period, or a clear refusal.
CREATE OR REPLACE FUNCTION reports.period_dates(p_period numeric,
        OUT period_no integer, OUT start_date date, OUT end_date date)
    LANGUAGE plpgsql STABLE
    SET search_path = pg_catalog, billing
AS $$
DECLARE
    n integer := round(coalesce(p_period, 0));
BEGIN
    SELECT ap.period_no, ap.start_date, ap.end_date INTO period_no, start_date, end_date
      FROM billing.accounting_periods ap WHERE ap.period_no = n;
    IF NOT FOUND THEN
        RAISE EXCEPTION 'There is no accounting period %: choose a period from the list', coalesce(p_period, 0)
            USING ERRCODE = 'invalid_parameter_value';
    END IF;
END
$$;
REVOKE ALL ON FUNCTION reports.period_dates(numeric) FROM PUBLIC;

-- Replaces the caller's aging rows for the dates in the schema's table.
CREATE OR REPLACE FUNCTION reports.fill_aging(p_schema text, p_start text, p_end text, p_kind text,
        p_selection text, p_code text, p_period numeric)
    RETURNS void
    LANGUAGE plpgsql VOLATILE
    SET search_path = pg_catalog, reports, billing
AS $$
DECLARE
    per  record := reports.parse_period(p_start, p_end);
    kind char(1) := reports.balance_kind(p_kind);
    code text := nullif(btrim(coalesce(p_code, '')), '');
    pd   record;
    at   timestamptz := clock_timestamp();   -- one moment for the whole run
BEGIN
    IF p_selection = 'ACCOUNT' AND code IS NULL THEN
        RAISE EXCEPTION 'Account Number is Empty!' USING ERRCODE = 'invalid_parameter_value';
    END IF;
    IF p_selection = 'ACCOUNT' AND NOT EXISTS (SELECT 1 FROM billing.accounts a
                                                WHERE upper(a.account_no) = upper(code)) THEN
        RAISE EXCEPTION 'There is no account "%": choose an account from the list', code
            USING ERRCODE = 'invalid_parameter_value';
    END IF;
    IF p_selection = 'CLASS' AND code IS NOT NULL
       AND NOT EXISTS (SELECT 1 FROM billing.account_classes c WHERE c.class_code = code) THEN
        RAISE EXCEPTION 'There is no account class "%": choose a class from the list', code
            USING ERRCODE = 'invalid_parameter_value';
    END IF;
    IF p_period IS NOT NULL THEN
        pd := reports.period_dates(p_period);
    ELSE
        SELECT NULL::integer AS period_no, NULL::date AS start_date, NULL::date AS end_date INTO pd;
    END IF;
    PERFORM pg_advisory_xact_lock(hashtextextended(
        format('aging|%s|%s|%s|%s', p_schema, session_user, per.start_date, per.end_date), 0));
    EXECUTE format('DELETE FROM %I.tbrepaging WHERE computed_by = session_user
                     AND start_date = $1 AND end_date = $2', p_schema)
        USING per.start_date, per.end_date;
    EXECUTE format($i$
        INSERT INTO %I.tbrepaging (computed_by, start_date, end_date, balance_kind, selection,
            selection_code, period_no, account_id, account_no, account_name, class_code, class_name,
            credit_limit, terms_days, interest_rate, bill_id, bill_no, patient_name, bill_date,
            due_date, days_past_due, beginning_balance, billed, paid, adjusted, balance,
            current_amount, days_1_30, days_31_60, days_61_90, days_91_120, over_120,
            interest_income, computed_at)
        SELECT session_user, $1, $2, $3, $4, coalesce($5, ''), $6, r.*, $9
          FROM reports.aging_rows($1, $2, $3,
                 CASE WHEN $4 = 'CLASS' THEN $5 END, CASE WHEN $4 = 'ACCOUNT' THEN $5 END,
                 $7, $8) r$i$, p_schema)
        USING per.start_date, per.end_date, kind, p_selection, code, pd.period_no,
              pd.start_date, pd.end_date, at;
END
$$;
REVOKE ALL ON FUNCTION reports.fill_aging(text, text, text, text, text, text, numeric) FROM PUBLIC;

-- Receivable aging of every account with a positive balance as of the end date.
CREATE OR REPLACE FUNCTION reports.sp_billing_repagingrecompute(p_start text, p_end text)
    RETURNS void LANGUAGE sql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$ SELECT reports.fill_aging('reports', p_start, p_end, 'P', 'ALL', NULL, NULL) $$;

-- Receivable aging as of the end date for one balance kind (P, N or A).
CREATE OR REPLACE FUNCTION reports.sp_billing_repagingrecompute(p_start text, p_end text, p_kind text)
    RETURNS void LANGUAGE sql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$ SELECT reports.fill_aging('reports', p_start, p_end, p_kind, 'ALL', NULL, NULL) $$;

-- Billing runs: every account at net, optionally one class or one account,
-- optionally only the bills dated in an accounting period.

-- Aging of every account at net.
CREATE OR REPLACE FUNCTION billing.sp_billing_repagingrecompute(p_start text, p_end text)
    RETURNS void LANGUAGE sql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$ SELECT reports.fill_aging('billing', p_start, p_end, 'A', 'ALL', NULL, NULL) $$;

-- Aging of every account for one balance kind (P, N or A).
CREATE OR REPLACE FUNCTION billing.sp_billing_repagingrecompute(p_start text, p_end text, p_kind text)
    RETURNS void LANGUAGE sql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$ SELECT reports.fill_aging('billing', p_start, p_end, p_kind, 'ALL', NULL, NULL) $$;

-- Aging of the bills of one account (by account number).
CREATE OR REPLACE FUNCTION billing.sp_billing_repagingrecomputeaccountnum(p_start text, p_end text, p_account text)
    RETURNS void LANGUAGE sql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$ SELECT reports.fill_aging('billing', p_start, p_end, 'A', 'ACCOUNT', p_account, NULL) $$;

-- Aging of one account, only the bills dated in the accounting period.
CREATE OR REPLACE FUNCTION billing.sp_billing_repagingrecomputeaccountnumperiod(p_start text, p_end text,
        p_account text, p_period numeric)
    RETURNS void LANGUAGE sql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$ SELECT reports.fill_aging('billing', p_start, p_end, 'A', 'ACCOUNT', p_account,
                                coalesce(p_period, 0)) $$;

-- Aging of the accounts of one class; an empty class means every class.
CREATE OR REPLACE FUNCTION billing.sp_billing_repagingrecomputeclass(p_start text, p_end text, p_class text)
    RETURNS void LANGUAGE sql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$ SELECT reports.fill_aging('billing', p_start, p_end, 'A', 'CLASS', p_class, NULL) $$;

-- Aging of one class, only the bills dated in the accounting period.
CREATE OR REPLACE FUNCTION billing.sp_billing_repagingrecomputeclassperiod(p_start text, p_end text,
        p_class text, p_period numeric)
    RETURNS void LANGUAGE sql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$ SELECT reports.fill_aging('billing', p_start, p_end, 'A', 'CLASS', p_class,
                                coalesce(p_period, 0)) $$;

-- Aging of every account, only the bills dated in the accounting period.
CREATE OR REPLACE FUNCTION billing.sp_billing_repagingrecomputeperiod(p_start text, p_end text, p_period numeric)
    RETURNS void LANGUAGE sql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$ SELECT reports.fill_aging('billing', p_start, p_end, 'A', 'ALL', NULL, coalesce(p_period, 0)) $$;

-- Payable aging of every supplier invoice with a balance as of the end date.
CREATE OR REPLACE FUNCTION reports.sp_billing_repagingpayablerecompute(p_start text, p_end text)
    RETURNS void
    LANGUAGE plpgsql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports, billing
AS $$
DECLARE
    per record := reports.parse_period(p_start, p_end);
    at  timestamptz := clock_timestamp();
BEGIN
    PERFORM pg_advisory_xact_lock(hashtextextended(
        format('payable|%s|%s', per.start_date, per.end_date), 0));
    DELETE FROM reports.tbreppayableaging WHERE start_date = per.start_date AND end_date = per.end_date;
    INSERT INTO reports.tbreppayableaging (start_date, end_date, account_id, account_no, account_name,
            class_code, class_name, terms_days, payable_id, invoice_no, invoice_date, due_date,
            days_past_due, beginning_balance, invoiced, paid, balance, current_amount, days_1_30,
            days_31_60, days_61_90, days_91_120, over_120, computed_at)
    SELECT per.start_date, per.end_date, a.account_id, a.account_no, a.name, a.class_code, cl.name,
           a.terms_days, p.payable_id, p.invoice_no, p.invoice_date, p.invoice_date + a.terms_days,
           x.dpd, m.beginning_balance, m.invoiced, m.paid, m.balance,
           CASE WHEN x.dpd <= 0 THEN m.balance ELSE 0 END,
           CASE WHEN x.dpd BETWEEN 1 AND 30 THEN m.balance ELSE 0 END,
           CASE WHEN x.dpd BETWEEN 31 AND 60 THEN m.balance ELSE 0 END,
           CASE WHEN x.dpd BETWEEN 61 AND 90 THEN m.balance ELSE 0 END,
           CASE WHEN x.dpd BETWEEN 91 AND 120 THEN m.balance ELSE 0 END,
           CASE WHEN x.dpd > 120 THEN m.balance ELSE 0 END,
           at
      FROM (SELECT l.payable_id,
                   coalesce(sum(l.amount) FILTER (WHERE l.entry_date < per.start_date), 0) AS beginning_balance,
                   coalesce(sum(l.amount) FILTER (WHERE l.entry_date >= per.start_date AND l.kind = 'INVOICE'), 0) AS invoiced,
                   coalesce(sum(l.amount) FILTER (WHERE l.entry_date >= per.start_date AND l.kind <> 'INVOICE'), 0) AS paid,
                   sum(l.amount) AS balance
              FROM billing.ap_ledger l
             WHERE l.entry_date <= per.end_date
             GROUP BY l.payable_id
            HAVING sum(l.amount) <> 0) m
      JOIN billing.payables p ON p.payable_id = m.payable_id
      JOIN billing.accounts a ON a.account_id = p.account_id
      JOIN billing.account_classes cl ON cl.class_code = a.class_code
     CROSS JOIN LATERAL (SELECT per.end_date - (p.invoice_date + a.terms_days) AS dpd) x;
END
$$;
