-- Lookups for the search dialog: the name first, the code second.  The text
-- matches any part of the name or of the code, in any letter case; codes and
-- names that start with it come first.  An empty text lists everything.

SET client_min_messages = warning;

-- Companies, insurers and government accounts.
CREATE OR REPLACE FUNCTION reports.sp_rep_searchcompany(p_text text)
    RETURNS TABLE ("Name" text, "Code" text)
    LANGUAGE sql STABLE SECURITY DEFINER
    SET search_path = pg_catalog, reports, billing
AS $$
    WITH q AS (SELECT reports.like_pattern(p_text) AS part, upper(btrim(coalesce(p_text, ''))) AS whole)
    SELECT a.name, a.account_no
      FROM q, billing.accounts a
      JOIN billing.account_classes cl ON cl.class_code = a.class_code
     WHERE cl.account_kind IN ('COMPANY', 'INSURER', 'GOVERNMENT')
       AND (upper(a.name) LIKE q.part OR upper(a.account_no) LIKE q.part)
     ORDER BY upper(a.account_no) = q.whole DESC, upper(a.name) LIKE ltrim(q.part, '%') DESC,
              upper(a.name), a.account_no
$$;

-- Account classes.
CREATE OR REPLACE FUNCTION reports.sp_rep_searchclass(p_text text)
    RETURNS TABLE ("Name" text, "Code" text)
    LANGUAGE sql STABLE SECURITY DEFINER
    SET search_path = pg_catalog, reports, billing
AS $$
    WITH q AS (SELECT reports.like_pattern(p_text) AS part, upper(btrim(coalesce(p_text, ''))) AS whole)
    SELECT c.name, c.class_code
      FROM q, billing.account_classes c
     WHERE upper(c.name) LIKE q.part OR upper(c.class_code) LIKE q.part
     ORDER BY upper(c.class_code) = q.whole DESC, upper(c.name) LIKE ltrim(q.part, '%') DESC, c.class_code
$$;

-- Accounting periods; the code is the period number.
CREATE OR REPLACE FUNCTION reports.sp_rep_searchperiod(p_text text)
    RETURNS TABLE ("Name" text, "Code" text)
    LANGUAGE sql STABLE SECURITY DEFINER
    SET search_path = pg_catalog, reports, billing
AS $$
    WITH q AS (SELECT reports.like_pattern(p_text) AS part, upper(btrim(coalesce(p_text, ''))) AS whole)
    SELECT p.name, p.period_no::text
      FROM q, billing.accounting_periods p
     WHERE upper(p.name) LIKE q.part OR p.period_no::text LIKE q.part
     ORDER BY p.period_no::text = q.whole DESC, upper(p.name) LIKE ltrim(q.part, '%') DESC, p.start_date DESC
$$;

-- Miscellaneous revenue codes.  The first argument is the list's mode; the
-- program always sends '0', the whole list.
CREATE OR REPLACE FUNCTION reports.sp_rep_searchmiscellaneousrevenue(p_mode text, p_text text)
    RETURNS TABLE ("Description" text, "Code" text)
    LANGUAGE sql STABLE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$
    WITH q AS (SELECT reports.like_pattern(p_text) AS part, upper(btrim(coalesce(p_text, ''))) AS whole)
    SELECT m.description, m.code
      FROM q, reports.tbmiscellaneousrevenue m
     WHERE upper(m.description) LIKE q.part OR m.code LIKE q.part
     ORDER BY m.code = q.whole DESC, m.code LIKE ltrim(q.part, '%') DESC,
              upper(m.description) LIKE ltrim(q.part, '%') DESC, m.code
$$;

-- Stores a miscellaneous revenue code with its description: adds the code
-- when it is new, replaces its description when it exists.  Codes are kept
-- in capitals without surrounding blanks.
CREATE OR REPLACE FUNCTION reports.sp_rep_updatemiscellaneous(p_code text, p_description text)
    RETURNS void
    LANGUAGE plpgsql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports
AS $$
DECLARE
    v_code text := upper(btrim(coalesce(p_code, '')));
    v_descr text := btrim(coalesce(p_description, ''));
BEGIN
    IF v_code = '' THEN
        RAISE EXCEPTION 'The code is empty: type a code before saving'
            USING ERRCODE = 'invalid_parameter_value';
    END IF;
    IF v_descr = '' THEN
        RAISE EXCEPTION 'The description of % is empty: type a description before saving', v_code
            USING ERRCODE = 'invalid_parameter_value';
    END IF;
    INSERT INTO reports.tbmiscellaneousrevenue AS m (code, description)
    VALUES (v_code, v_descr)
    ON CONFLICT (code) DO UPDATE
       SET description = EXCLUDED.description, updated_at = now(), updated_by = session_user;
END
$$;
