-- Foundation: schemas, the hospital record, getdate(), the reports role,
-- the audit log and the schema version.  Every file under db/ is re-runnable:
-- it creates what is missing and replaces functions, never drops data.

SET client_min_messages = warning;

CREATE SCHEMA IF NOT EXISTS reports;
CREATE SCHEMA IF NOT EXISTS billing;
CREATE SCHEMA IF NOT EXISTS patient_data;

-- The group role of the reports module.  Sign-in refuses anyone who is not a
-- member; members may run the procedures and read what reports read.
DO $$
BEGIN
    IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'pelmar_reports') THEN
        CREATE ROLE pelmar_reports NOLOGIN;
    END IF;
END
$$;

REVOKE ALL ON SCHEMA reports, billing, patient_data FROM PUBLIC;
GRANT USAGE ON SCHEMA reports, billing, patient_data TO pelmar_reports;

-- Applied versions, one row per db/ file, so a re-run knows what it has done.
CREATE TABLE IF NOT EXISTS reports.schema_version (
    script      text PRIMARY KEY,
    applied_at  timestamptz NOT NULL DEFAULT now()
);

-- The hospital's own record.  Column names keep their mixed case because the
-- start-up statement reads them by those names.
CREATE TABLE IF NOT EXISTS patient_data.tbHospitalInfo (
    "HospitalID"    integer GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    "Company"       text NOT NULL,
    "Address1"      text NOT NULL DEFAULT '',
    "MTSServerName" text NOT NULL DEFAULT ''
);
GRANT SELECT ON patient_data.tbHospitalInfo TO pelmar_reports;

-- The server's clock, under the name the statements use.
CREATE OR REPLACE FUNCTION public.getdate() RETURNS timestamp
    LANGUAGE sql STABLE
    AS $$ SELECT localtimestamp(3) $$;

-- Display names of the staff, keyed by their database log-in.
CREATE TABLE IF NOT EXISTS reports.staff (
    login_name    name PRIMARY KEY,
    display_name  text NOT NULL
);

-- The signed-in user's display name; the log-in itself when none is recorded.
CREATE OR REPLACE FUNCTION reports.employee_name() RETURNS text
    LANGUAGE sql STABLE SECURITY DEFINER
    SET search_path = pg_catalog, reports
    AS $$
        SELECT coalesce((SELECT display_name FROM reports.staff
                         WHERE login_name = session_user), session_user::text)
    $$;

-- Who ran what and when.  Members cannot read or change the log; they can
-- only append to it through log_run().
CREATE TABLE IF NOT EXISTS reports.run_log (
    id            bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    logged_at     timestamptz NOT NULL DEFAULT now(),
    login_name    name NOT NULL DEFAULT session_user,
    action        text NOT NULL CHECK (action IN
                      ('sign-in', 'statement', 'open', 'show', 'print', 'export')),
    statement     text,
    template      text,
    database_name text,
    parameters    text[],
    detail        text
);
CREATE INDEX IF NOT EXISTS run_log_login_time ON reports.run_log (login_name, logged_at);

CREATE OR REPLACE FUNCTION reports.log_run(
        p_action text, p_statement text, p_template text,
        p_database text, p_parameters text[], p_detail text)
    RETURNS void
    LANGUAGE sql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports
    AS $$
        INSERT INTO reports.run_log (action, statement, template, database_name, parameters, detail)
        VALUES (p_action, p_statement, p_template, p_database, p_parameters, p_detail)
    $$;

REVOKE ALL ON FUNCTION reports.log_run(text, text, text, text, text[], text) FROM PUBLIC;
REVOKE ALL ON FUNCTION reports.employee_name() FROM PUBLIC;
GRANT EXECUTE ON FUNCTION reports.log_run(text, text, text, text, text[], text) TO pelmar_reports;
GRANT EXECUTE ON FUNCTION reports.employee_name() TO pelmar_reports;
GRANT EXECUTE ON FUNCTION public.getdate() TO pelmar_reports;
