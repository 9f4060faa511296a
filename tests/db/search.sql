-- The lookups of the search dialog and the miscellaneous revenue list.
BEGIN;
SET ROLE tester;
PREPARE company AS SELECT * FROM reports.sp_rep_searchcompany($1);
PREPARE klass AS SELECT * FROM reports.sp_rep_searchclass($1);
PREPARE period AS SELECT * FROM reports.sp_rep_searchperiod($1);
PREPARE misc AS SELECT * FROM reports.sp_rep_searchmiscellaneousrevenue($1, $2);
PREPARE save_misc AS SELECT * FROM reports.sp_rep_updatemiscellaneous($1, $2);

-- Every search returns the name first and the code second.
DO $$
DECLARE
    f text;
BEGIN
    FOREACH f IN ARRAY ARRAY['sp_rep_searchcompany', 'sp_rep_searchclass', 'sp_rep_searchperiod',
                             'sp_rep_searchmiscellaneousrevenue'] LOOP
        ASSERT (SELECT p.proargnames[p.pronargs + 2] FROM pg_proc p
                 WHERE p.proname = f AND p.pronamespace = 'reports'::regnamespace) = 'Code',
            f || ' does not return the code second';
    END LOOP;
END
$$;

-- Part of the name or of the code, any letter case; starts first; no
-- wildcard of the user's widens the search; suppliers and patients are no
-- companies.
CREATE TEMP TABLE got (search text, criteria text, names text);
INSERT INTO got SELECT 'company', c, (SELECT string_agg("Code", ',') FROM reports.sp_rep_searchcompany(c))
  FROM unnest(ARRAY['', 'ac', 'MINING', 'o''n', 'c-00', 'h-001', 'port elin', '%', '_', 'MEDSUPPLY', 'SMITH']) c;
INSERT INTO got SELECT 'class', c, (SELECT string_agg("Code", ',') FROM reports.sp_rep_searchclass(c))
  FROM unnest(ARRAY['', '0', '03', 'corp', 'AGENC']) c;
INSERT INTO got SELECT 'period', c, (SELECT string_agg("Code", ',') FROM reports.sp_rep_searchperiod(c))
  FROM unnest(ARRAY['6', '2011', 'feb', 'x']) c;
INSERT INTO got SELECT 'misc', c, (SELECT string_agg("Code", ',') FROM reports.sp_rep_searchmiscellaneousrevenue('0', c))
  FROM unnest(ARRAY['', 'm', 'MI', 'o''b', 'income', 'zz']) c;

DO $$
DECLARE
    r record;
BEGIN
    FOR r IN SELECT e.*, g.names AS got
               FROM (VALUES
                    ('company', '', 'C-001,G-001,H-001,C-002'),
                    ('company', 'ac', 'C-001'),
                    ('company', 'MINING', 'C-001'),
                    ('company', 'o''n', 'C-002'),
                    ('company', 'c-00', 'C-001,C-002'),
                    ('company', 'h-001', 'H-001'),
                    ('company', 'port elin', 'G-001'),
                    ('company', '%', NULL),
                    ('company', '_', NULL),
                    ('company', 'MEDSUPPLY', NULL),
                    ('company', 'SMITH', NULL),
                    ('class', '', '01,02,03,04,05'),
                    ('class', '03', '03'),
                    ('class', '0', '01,02,03,04,05'),
                    ('class', 'corp', '02'),
                    ('class', 'AGENC', '04'),
                    ('period', '6', '6'),
                    ('period', '2011', '3,2,1'),
                    ('period', 'feb', '5'),
                    ('period', 'x', NULL),
                    ('misc', '', 'AP,MC,MH,MI,OB'),
                    ('misc', 'MI', 'MI'),
                    ('misc', 'm', 'MC,MH,MI,OB'),
                    ('misc', 'o''b', 'OB'),
                    ('misc', 'income', 'MI'),
                    ('misc', 'zz', NULL)) AS e(search, criteria, names)
               JOIN got g USING (search, criteria)
              WHERE g.names IS DISTINCT FROM e.names LOOP
        RAISE EXCEPTION '% search for "%" gave %, expected %', r.search, r.criteria, r.got, r.names;
    END LOOP;
END
$$;

-- The miscellaneous list: Save adds a new code, then replaces its
-- description; codes are kept in capitals without blanks; apostrophes
-- survive; an empty code or description is refused and changes nothing.
EXECUTE save_misc('s5 ', 'Sundry Income');
EXECUTE save_misc('S5', 'O''BRIEN''S SUNDRY INCOME');
EXECUTE save_misc('mc', 'MEDICAL CERTIFICATES AND CLEARANCES');
DO $$
DECLARE
    bad text[];
    msg text;
BEGIN
    ASSERT (SELECT string_agg("Description", '|') FROM reports.sp_rep_searchmiscellaneousrevenue('0', 'S5'))
         = 'O''BRIEN''S SUNDRY INCOME';
    ASSERT (SELECT count(*) FROM reports.tbmiscellaneousrevenue) = 6;
    ASSERT (SELECT description FROM reports.tbmiscellaneousrevenue WHERE code = 'MC')
         = 'MEDICAL CERTIFICATES AND CLEARANCES';
    FOREACH bad SLICE 1 IN ARRAY ARRAY[['', 'NOTHING'], ['  ', 'NOTHING'], ['MI', ''], ['MI', '   ']] LOOP
        BEGIN
            PERFORM reports.sp_rep_updatemiscellaneous(bad[1], bad[2]);
            RAISE EXCEPTION 'saved %', bad;
        EXCEPTION WHEN invalid_parameter_value THEN
            GET STACKED DIAGNOSTICS msg = MESSAGE_TEXT;
            ASSERT msg LIKE '%empty%', msg;
        END;
    END LOOP;
    ASSERT (SELECT description FROM reports.tbmiscellaneousrevenue WHERE code = 'MI') = 'MISCELLANEOUS INCOME';
    ASSERT (SELECT count(*) FROM reports.tbmiscellaneousrevenue) = 6;
END
$$;

RESET ROLE;
ROLLBACK;
