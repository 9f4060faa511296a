-- Least privilege for the reports role: it runs the procedures (sp_*) and
-- reads the report tables (tbrep*) and views (vw_*); nothing else.  Helpers
-- and base tables stay closed; the procedures write as their owner.

SET client_min_messages = warning;

DO $$
DECLARE
    r record;
BEGIN
    FOR r IN SELECT p.oid::regprocedure AS sig, p.proname
               FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace
              WHERE n.nspname IN ('reports', 'billing', 'patient_data')
                AND p.proname NOT IN ('log_run', 'employee_name') LOOP
        EXECUTE format('REVOKE ALL ON FUNCTION %s FROM PUBLIC', r.sig);
        IF r.proname LIKE 'sp\_%' THEN
            EXECUTE format('GRANT EXECUTE ON FUNCTION %s TO pelmar_reports', r.sig);
        ELSE
            EXECUTE format('REVOKE ALL ON FUNCTION %s FROM pelmar_reports', r.sig);
        END IF;
    END LOOP;

    FOR r IN SELECT format('%I.%I', n.nspname, c.relname) AS rel, c.relname
               FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace
              WHERE n.nspname IN ('reports', 'billing', 'patient_data')
                AND c.relkind IN ('r', 'v', 'p')
                AND c.relname NOT IN ('run_log', 'tbhospitalinfo') LOOP
        EXECUTE format('REVOKE ALL ON %s FROM PUBLIC, pelmar_reports', r.rel);
        -- Aging and statistics rows are read through the views that show
        -- each user only his own runs.
        IF (r.relname LIKE 'tbrep%' AND r.relname NOT IN ('tbrepaging', 'tbrepstatistics'))
           OR r.relname LIKE 'vw\_%' OR r.relname = 'tbmiscellaneousrevenue' THEN
            EXECUTE format('GRANT SELECT ON %s TO pelmar_reports', r.rel);
        END IF;
    END LOOP;
END
$$;
