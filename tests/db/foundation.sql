-- The audit log is append-only for members of the reports role.
BEGIN;
SET ROLE tester;
SELECT reports.log_run('statement', 'Reports..sp_x ''a''', NULL, NULL, NULL, NULL);
DO $$
BEGIN
    BEGIN
        PERFORM count(*) FROM reports.run_log;
        RAISE EXCEPTION 'a member could read the run log';
    EXCEPTION WHEN insufficient_privilege THEN NULL;
    END;
    BEGIN
        DELETE FROM reports.run_log;
        RAISE EXCEPTION 'a member could delete from the run log';
    EXCEPTION WHEN insufficient_privilege THEN NULL;
    END;
    ASSERT reports.employee_name() IS NOT NULL, 'no employee name';
    ASSERT getdate() IS NOT NULL;
END
$$;
RESET ROLE;
DO $$
BEGIN
    -- SET ROLE keeps the session user, which is who signed in.
    ASSERT (SELECT login_name FROM reports.run_log ORDER BY id DESC LIMIT 1) = session_user,
        'the log row does not name its user';
END
$$;
ROLLBACK;
