-- Recomputes from several connections at once: different months never see
-- each other's rows, the same month run twice at once does not duplicate,
-- and a run killed half-way leaves the earlier rows of its key intact.
\getenv host PELMAR_TEST_HOST
\getenv port PELMAR_TEST_PORT
\getenv db PELMAR_TEST_DB
\getenv user PELMAR_TEST_USER
\getenv pass PELMAR_TEST_PASSWORD
\getenv admin PELMAR_TEST_ADMIN
\getenv adminpass PELMAR_TEST_ADMIN_PASSWORD
\set QUIET on
BEGIN;
CREATE EXTENSION IF NOT EXISTS dblink;
SELECT format('host=%s port=%s dbname=%s user=%s password=%s', :'host', :'port', :'db',
              :'user', '''' || replace(replace(:'pass', '\', '\\'), '''', '\''') || '''') AS member,
       format('host=%s port=%s dbname=%s user=%s password=%s', :'host', :'port', :'db',
              :'admin', '''' || replace(replace(:'adminpass', '\', '\\'), '''', '\''') || '''') AS admin \gset
SELECT set_config('test.member', :'member', true), set_config('test.admin', :'admin', true) \gset

DO $$
DECLARE
    member text := current_setting('test.member');
    n int;
    old_at timestamptz;
    pid int;
BEGIN
    PERFORM dblink_connect('a', member);
    PERFORM dblink_connect('b', member);
    PERFORM dblink_connect('c', member);
    PERFORM dblink_connect('admin', current_setting('test.admin'));
    -- Other tests leave committed runs behind; start from none.
    PERFORM dblink_exec('admin', $q$DELETE FROM reports.tbrepmonthly WHERE dept_code = 'LB';
                                    DELETE FROM reports.tbrepmonthlydoctors WHERE dept_code = 'LB';
                                    DELETE FROM reports.tbrepyearend WHERE dept_code = 'LB'$q$);
    BEGIN
        -- Two months at the same time, both transactions open together.
        PERFORM dblink_exec('a', 'BEGIN');
        PERFORM dblink_exec('b', 'BEGIN');
        PERFORM * FROM dblink('a', $q$SELECT 1 FROM reports.sp_rep_monthlyrecompute('03/01/2012', '03/31/2012', 'LB', 'N')$q$) AS t(x int);
        PERFORM * FROM dblink('b', $q$SELECT 1 FROM reports.sp_rep_monthlyrecompute('02/01/2012', '02/29/2012', 'LB', 'N')$q$) AS t(x int);
        SELECT x INTO n FROM dblink('a', $q$SELECT count(*)::int FROM reports.tbrepmonthly WHERE dept_code = 'LB'$q$) AS t(x int);
        ASSERT n = 4, format('connection a sees %s LB rows, not its own 4', n);
        SELECT x INTO n FROM dblink('b', $q$SELECT count(*)::int FROM reports.tbrepmonthly WHERE dept_code = 'LB'$q$) AS t(x int);
        ASSERT n = 2, format('connection b sees %s LB rows, not its own 2', n);
        PERFORM dblink_exec('a', 'COMMIT');
        PERFORM dblink_exec('b', 'COMMIT');
        SELECT x INTO n FROM dblink('admin', $q$SELECT count(*)::int FROM reports.tbrepmonthly WHERE dept_code = 'LB'$q$) AS t(x int);
        ASSERT n = 6, format('%s LB rows after both runs, not 6', n);

        -- The same month twice at once: the second waits for the first and
        -- replaces its rows.
        PERFORM dblink_exec('a', 'BEGIN');
        PERFORM * FROM dblink('a', $q$SELECT 1 FROM reports.sp_rep_monthlyrecompute('03/01/2012', '03/31/2012', 'LB', 'N')$q$) AS t(x int);
        PERFORM dblink_send_query('b', $q$SELECT 1 FROM reports.sp_rep_monthlyrecompute('03/01/2012', '03/31/2012', 'LB', 'N')$q$);
        PERFORM pg_sleep(0.2);
        ASSERT dblink_is_busy('b') = 1, 'the second run of the same key did not wait';
        PERFORM dblink_exec('a', 'COMMIT');
        PERFORM * FROM dblink_get_result('b') AS t(x int);
        PERFORM * FROM dblink_get_result('b') AS t(x int);
        SELECT x INTO n FROM dblink('admin', $q$SELECT count(*)::int FROM reports.tbrepmonthly
                                                WHERE dept_code = 'LB' AND start_date = '2012-03-01'$q$) AS t(x int);
        ASSERT n = 4, format('%s March LB rows after two simultaneous runs, not 4', n);

        -- A run killed before it commits: readers see the earlier run all
        -- along, and it stays.
        SELECT x INTO old_at FROM dblink('admin', $q$SELECT max(computed_at) FROM reports.tbrepmonthly
                                                     WHERE dept_code = 'LB' AND start_date = '2012-03-01'$q$) AS t(x timestamptz);
        SELECT x INTO pid FROM dblink('c', 'SELECT pg_backend_pid()') AS t(x int);
        PERFORM dblink_exec('c', 'BEGIN');
        PERFORM * FROM dblink('c', $q$SELECT 1 FROM reports.sp_rep_monthlyrecompute('03/01/2012', '03/31/2012', 'LB', 'N')$q$) AS t(x int);
        SELECT x INTO n FROM dblink('admin', $q$SELECT count(*)::int FROM reports.tbrepmonthly
                                                WHERE dept_code = 'LB' AND start_date = '2012-03-01'$q$) AS t(x int);
        ASSERT n = 4, 'a reader saw a half-written run';
        ASSERT pg_terminate_backend(pid, 5000), 'could not end the run';
        SELECT x INTO n FROM dblink('admin', format($q$SELECT count(*)::int FROM reports.tbrepmonthly
                                                WHERE dept_code = 'LB' AND start_date = '2012-03-01'
                                                  AND computed_at = %L$q$, old_at)) AS t(x int);
        ASSERT n = 4, format('after the killed run %s of the earlier 4 rows are left', n);
        -- Its lock went with it: the key can be recomputed at once.
        PERFORM * FROM dblink('a', $q$SELECT 1 FROM reports.sp_rep_monthlyrecompute('03/01/2012', '03/31/2012', 'LB', 'N')$q$) AS t(x int);
    EXCEPTION WHEN OTHERS THEN
        PERFORM dblink_exec('admin', $q$DELETE FROM reports.tbrepmonthly WHERE dept_code = 'LB';
                                        DELETE FROM reports.tbrepmonthlydoctors WHERE dept_code = 'LB';
                                        DELETE FROM reports.tbrepyearend WHERE dept_code = 'LB'$q$);
        RAISE;
    END;
    PERFORM dblink_exec('admin', $q$DELETE FROM reports.tbrepmonthly WHERE dept_code = 'LB';
                                    DELETE FROM reports.tbrepmonthlydoctors WHERE dept_code = 'LB';
                                    DELETE FROM reports.tbrepyearend WHERE dept_code = 'LB'$q$);
    PERFORM dblink_disconnect('a');
    PERFORM dblink_disconnect('b');
    PERFORM dblink_disconnect('admin');
END
$$;
ROLLBACK;
