-- Report tables.  A recompute replaces the rows of its key (the arguments it
-- was run with) in one transaction, so a reader sees either the previous run
-- or the new one, never a mix, and runs of other keys are left alone.
-- Where a template receives no argument that tells runs apart (the aging
-- reports get only their dates, the statistics only captions), the key also
-- holds the log-in that ran it, and a view shows each user his own runs.

SET client_min_messages = warning;

-- The miscellaneous revenue codes that the miscellaneous reports look up.
CREATE TABLE IF NOT EXISTS reports.tbmiscellaneousrevenue (
    code            text PRIMARY KEY CHECK (code = upper(btrim(code)) AND code <> ''),
    description     text NOT NULL CHECK (btrim(description) <> ''),
    updated_at      timestamptz NOT NULL DEFAULT now(),
    updated_by      name NOT NULL DEFAULT session_user
);
CREATE INDEX IF NOT EXISTS tbmiscellaneousrevenue_trgm
    ON reports.tbmiscellaneousrevenue USING gin (upper(description) gin_trgm_ops);

-- Monthly departmental summary: one row per patient type and revenue code.
CREATE TABLE IF NOT EXISTS reports.tbrepmonthly (
    start_date      date NOT NULL,
    end_date        date NOT NULL,
    dept_code       text NOT NULL,
    option_flag     char(1) NOT NULL,
    patient_type    char(1) NOT NULL,
    revenue_code    text NOT NULL,
    description     text NOT NULL,
    quantity        numeric(14,2) NOT NULL,
    hospital_fee    numeric(16,2) NOT NULL,
    professional_fee numeric(16,2) NOT NULL,
    patients        integer NOT NULL,   -- distinct stays and visits
    computed_at     timestamptz NOT NULL,
    computed_by     name NOT NULL,
    PRIMARY KEY (start_date, end_date, dept_code, option_flag, patient_type, revenue_code)
);

-- The same runs by doctor (operating room surgeons, readers of results).
CREATE TABLE IF NOT EXISTS reports.tbrepmonthlydoctors (
    start_date      date NOT NULL,
    end_date        date NOT NULL,
    dept_code       text NOT NULL,
    option_flag     char(1) NOT NULL,
    patient_type    char(1) NOT NULL,
    doctor_code     text NOT NULL,
    doctor_name     text NOT NULL,
    cases           integer NOT NULL,
    hospital_fee    numeric(16,2) NOT NULL,
    professional_fee numeric(16,2) NOT NULL,
    computed_at     timestamptz NOT NULL,
    PRIMARY KEY (start_date, end_date, dept_code, option_flag, patient_type, doctor_code)
);

-- Year-end summary: the calendar year of the run, month by month.
CREATE TABLE IF NOT EXISTS reports.tbrepyearend (
    report_year     integer NOT NULL,
    dept_code       text NOT NULL,
    revenue_code    text NOT NULL,
    description     text NOT NULL,
    option_flag     char(1) NOT NULL,
    q01 numeric(14,2) NOT NULL, q02 numeric(14,2) NOT NULL, q03 numeric(14,2) NOT NULL,
    q04 numeric(14,2) NOT NULL, q05 numeric(14,2) NOT NULL, q06 numeric(14,2) NOT NULL,
    q07 numeric(14,2) NOT NULL, q08 numeric(14,2) NOT NULL, q09 numeric(14,2) NOT NULL,
    q10 numeric(14,2) NOT NULL, q11 numeric(14,2) NOT NULL, q12 numeric(14,2) NOT NULL,
    a01 numeric(16,2) NOT NULL, a02 numeric(16,2) NOT NULL, a03 numeric(16,2) NOT NULL,
    a04 numeric(16,2) NOT NULL, a05 numeric(16,2) NOT NULL, a06 numeric(16,2) NOT NULL,
    a07 numeric(16,2) NOT NULL, a08 numeric(16,2) NOT NULL, a09 numeric(16,2) NOT NULL,
    a10 numeric(16,2) NOT NULL, a11 numeric(16,2) NOT NULL, a12 numeric(16,2) NOT NULL,
    quantity        numeric(14,2) NOT NULL,
    hospital_fee    numeric(16,2) NOT NULL,
    professional_fee numeric(16,2) NOT NULL,
    computed_at     timestamptz NOT NULL,
    PRIMARY KEY (report_year, dept_code, revenue_code)
);

-- Daily summaries: one row per discharged stay / per visit of the day, and
-- the same broken down by department.
CREATE TABLE IF NOT EXISTS reports.tbrepdailydischarges (
    report_date     date NOT NULL,
    admission_id    bigint NOT NULL,
    admission_no    text NOT NULL,
    hospital_no     text NOT NULL,
    patient_name    text NOT NULL,
    account_no      text NOT NULL,
    account_name    text NOT NULL,
    payment_type    text NOT NULL CHECK (payment_type IN ('CASH', 'CHARGE')),
    station_code    text NOT NULL,
    admitted_at     timestamp NOT NULL,
    discharged_at   timestamp NOT NULL,
    disposition     text NOT NULL,
    hospital_fee    numeric(16,2) NOT NULL,
    professional_fee numeric(16,2) NOT NULL,
    computed_at     timestamptz NOT NULL,
    PRIMARY KEY (report_date, admission_id)
);
CREATE TABLE IF NOT EXISTS reports.tbrepdailydischargesdept (
    report_date     date NOT NULL,
    admission_id    bigint NOT NULL,
    dept_code       text NOT NULL,
    dept_name       text NOT NULL,
    hospital_fee    numeric(16,2) NOT NULL,
    professional_fee numeric(16,2) NOT NULL,
    PRIMARY KEY (report_date, admission_id, dept_code)
);
CREATE TABLE IF NOT EXISTS reports.tbrepdailyservices (
    report_date     date NOT NULL,
    visit_id        bigint NOT NULL,
    visit_no        text NOT NULL,
    hospital_no     text NOT NULL,
    patient_name    text NOT NULL,
    account_no      text NOT NULL,
    account_name    text NOT NULL,
    payment_type    text NOT NULL CHECK (payment_type IN ('CASH', 'CHARGE')),
    dept_code       text NOT NULL,
    visited_at      timestamp NOT NULL,
    hospital_fee    numeric(16,2) NOT NULL,
    professional_fee numeric(16,2) NOT NULL,
    computed_at     timestamptz NOT NULL,
    PRIMARY KEY (report_date, visit_id)
);
CREATE TABLE IF NOT EXISTS reports.tbrepdailyservicesdept (
    report_date     date NOT NULL,
    visit_id        bigint NOT NULL,
    dept_code       text NOT NULL,
    dept_name       text NOT NULL,
    hospital_fee    numeric(16,2) NOT NULL,
    professional_fee numeric(16,2) NOT NULL,
    PRIMARY KEY (report_date, visit_id, dept_code)
);

-- Receivable aging, one row per bill with a balance as of the end date.
-- The same shape serves the reports and the billing runs.
DO $$
DECLARE
    s text;
BEGIN
    FOREACH s IN ARRAY ARRAY['reports', 'billing'] LOOP
        EXECUTE format($t$
        CREATE TABLE IF NOT EXISTS %I.tbrepaging (
            computed_by     name NOT NULL,
            start_date      date NOT NULL,
            end_date        date NOT NULL,
            balance_kind    char(1) NOT NULL CHECK (balance_kind IN ('P', 'N', 'A')),
            selection       text NOT NULL CHECK (selection IN ('ALL', 'CLASS', 'ACCOUNT')),
            selection_code  text NOT NULL DEFAULT '',
            period_no       integer,
            account_id      bigint NOT NULL,
            account_no      text NOT NULL,
            account_name    text NOT NULL,
            class_code      text NOT NULL,
            class_name      text NOT NULL,
            credit_limit    numeric(14,2) NOT NULL,
            terms_days      integer NOT NULL,
            interest_rate   numeric(5,2) NOT NULL,
            bill_id         bigint NOT NULL,
            bill_no         text NOT NULL,
            patient_name    text NOT NULL,
            bill_date       date NOT NULL,
            due_date        date NOT NULL,
            days_past_due   integer NOT NULL,
            beginning_balance numeric(16,2) NOT NULL,
            billed          numeric(16,2) NOT NULL,
            paid            numeric(16,2) NOT NULL,
            adjusted        numeric(16,2) NOT NULL,
            balance         numeric(16,2) NOT NULL,
            current_amount  numeric(16,2) NOT NULL,
            days_1_30       numeric(16,2) NOT NULL,
            days_31_60      numeric(16,2) NOT NULL,
            days_61_90      numeric(16,2) NOT NULL,
            days_91_120     numeric(16,2) NOT NULL,
            over_120        numeric(16,2) NOT NULL,
            interest_income numeric(16,2) NOT NULL,
            computed_at     timestamptz NOT NULL,
            PRIMARY KEY (computed_by, start_date, end_date, bill_id),
            CHECK (balance = current_amount + days_1_30 + days_31_60 + days_61_90 + days_91_120 + over_120)
        )$t$, s);
    END LOOP;
END
$$;

-- Payable aging, one row per supplier invoice with a balance.
CREATE TABLE IF NOT EXISTS reports.tbreppayableaging (
    start_date      date NOT NULL,
    end_date        date NOT NULL,
    account_id      bigint NOT NULL,
    account_no      text NOT NULL,
    account_name    text NOT NULL,
    class_code      text NOT NULL,
    class_name      text NOT NULL,
    terms_days      integer NOT NULL,
    payable_id      bigint NOT NULL,
    invoice_no      text NOT NULL,
    invoice_date    date NOT NULL,
    due_date        date NOT NULL,
    days_past_due   integer NOT NULL,
    beginning_balance numeric(16,2) NOT NULL,
    invoiced        numeric(16,2) NOT NULL,
    paid            numeric(16,2) NOT NULL,
    balance         numeric(16,2) NOT NULL,
    current_amount  numeric(16,2) NOT NULL,
    days_1_30       numeric(16,2) NOT NULL,
    days_31_60      numeric(16,2) NOT NULL,
    days_61_90      numeric(16,2) NOT NULL,
    days_91_120     numeric(16,2) NOT NULL,
    over_120        numeric(16,2) NOT NULL,
    computed_at     timestamptz NOT NULL,
    PRIMARY KEY (start_date, end_date, payable_id),
    CHECK (balance = current_amount + days_1_30 + days_31_60 + days_61_90 + days_91_120 + over_120)
);

-- Hospital statistics of the user's latest run.
CREATE TABLE IF NOT EXISTS reports.tbrepstatistics (
    computed_by     name PRIMARY KEY,
    start_date      date NOT NULL,
    end_date        date NOT NULL,
    days            integer NOT NULL,
    bed_count       integer NOT NULL,
    admissions      integer NOT NULL,
    discharges      integer NOT NULL,     -- deaths included
    deaths          integer NOT NULL,
    deaths_under_48h integer NOT NULL,
    inpatient_service_days integer NOT NULL,
    discharge_days  integer NOT NULL,     -- total length of stay of the discharges
    average_daily_census numeric(10,2) NOT NULL,
    bed_occupancy_rate numeric(7,2) NOT NULL,
    average_length_of_stay numeric(10,2) NOT NULL,
    gross_death_rate numeric(7,2) NOT NULL,
    net_death_rate  numeric(7,2) NOT NULL,
    opd_visits      integer NOT NULL,
    computed_at     timestamptz NOT NULL
);
