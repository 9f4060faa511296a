-- Demo hospital: deterministic generated data for three years of history.
--
--   psql -v scale=1 -f db/demo/generate.sql               history up to today
--   psql -v scale=1 -v history_end=2026-11-30 -f ...      the same data every time
--   psql -v scale=3.3 -v months=60 -f ...                 500 beds over five years
--
-- Scale 1 is a mid-size hospital: 150 beds, about 20,000 patients, 15,000
-- stays, 45,000 out-patient visits and a million charge lines over 36
-- months (the default span); stays and visits grow with the months.  Every draw is a hash of a row number and a salt, so a given scale
-- and end date always give the same rows, whatever plan the server picks.
-- The base data is replaced; the fixed reference rows (departments, classes,
-- ledger accounts) stay.  Runs as the database owner.

\set ON_ERROR_STOP on
\if :{?scale}
\else
\set scale 1
\endif
\if :{?months}
\else
\set months 36
\endif
\if :{?history_end}
\else
SELECT current_date::text AS history_end \gset
\endif

SET client_min_messages = warning;
SET max_parallel_workers_per_gather = 0;
SET maintenance_work_mem = '256MB';
SET work_mem = '64MB';
SELECT setseed(0.4242);
\timing on

BEGIN;
-- The rows are consistent by construction: skip the per-row key checks and
-- triggers while loading.
SET LOCAL session_replication_role = replica;

SELECT set_config('demo.scale', greatest(:'scale'::numeric, 0.01)::text, true),
       set_config('demo.end', (:'history_end')::date::text, true),
       set_config('demo.months', greatest(:'months'::int, 1)::text, true),
       set_config('demo.start', (date_trunc('month', (:'history_end')::date)
                                 - (greatest(:'months'::int, 1) - 1) * interval '1 month')::date::text, true);

-- A draw in [0, 1) from a row number and a salt.
CREATE OR REPLACE FUNCTION pg_temp.rnd(n bigint, salt integer) RETURNS float8
    LANGUAGE sql IMMUTABLE PARALLEL SAFE
AS $$ SELECT ((hashint8extended(n, salt) & 2147483647)::float8) / 2147483648.0 $$;
CREATE OR REPLACE FUNCTION pg_temp.pick(n bigint, salt integer, k integer) RETURNS integer
    LANGUAGE sql IMMUTABLE PARALLEL SAFE
AS $$ SELECT 1 + floor(pg_temp.rnd(n, salt) * k)::int $$;

CREATE TEMP TABLE p ON COMMIT DROP AS
SELECT current_setting('demo.scale')::numeric AS scale,
       current_setting('demo.start')::date AS hstart,
       current_setting('demo.months')::int AS months,
       current_setting('demo.months')::numeric / 36 AS span,
       current_setting('demo.end')::date AS hend;

TRUNCATE billing.gl_entries, billing.ap_ledger, billing.payables, billing.ar_ledger, billing.receipts,
         billing.charges, billing.bills, billing.package_items, billing.packages, billing.revenue_codes,
         billing.accounting_periods, patient_data.bed_stays, patient_data.opd_visits,
         patient_data.admissions, billing.accounts, patient_data.beds, patient_data.rooms,
         patient_data.stations, patient_data.doctors, patient_data.patients,
         reports.tbrepmonthly, reports.tbrepmonthlydoctors, reports.tbrepyearend,
         reports.tbrepdailydischarges, reports.tbrepdailydischargesdept, reports.tbrepdailyservices,
         reports.tbrepdailyservicesdept, reports.tbrepaging, billing.tbrepaging, reports.tbreppayableaging,
         reports.tbrepstatistics
    RESTART IDENTITY;

-- Names, some with apostrophes, as they come.
CREATE TEMP TABLE last_names ON COMMIT DROP AS
SELECT row_number() OVER () AS i, n FROM unnest(ARRAY[
    'SANTOS', 'REYES', 'CRUZ', 'BAUTISTA', 'O''BRIEN', 'GARCIA', 'MENDOZA', 'TORRES', 'TOMAS', 'ANDRADA',
    'CASTILLO', 'FLORES', 'VILLANUEVA', 'RAMOS', 'O''NEIL', 'CASTRO', 'RIVERA', 'AQUINO', 'NAVARRO', 'SALAZAR',
    'MERCADO', 'AGUILAR', 'D''SOUZA', 'LIM', 'TAN', 'CHUA', 'GO', 'SY', 'DELA CRUZ', 'DE LEON', 'SMITH',
    'JOHNSON', 'O''CONNOR', 'MURPHY', 'KELLY', 'WALSH', 'MCDONALD-O''HARA', 'FERNANDEZ', 'LOPEZ', 'GONZALES',
    'PEREZ', 'SANCHEZ', 'ROMERO', 'DIAZ', 'MORALES', 'GUTIERREZ', 'VALDEZ', 'PASCUAL', 'DOMINGO', 'SORIANO']) n;
CREATE TEMP TABLE first_names ON COMMIT DROP AS
SELECT row_number() OVER () AS i, n, s FROM (VALUES
    ('JOSE', 'M'), ('JUAN', 'M'), ('MARK', 'M'), ('JOHN', 'M'), ('PAUL', 'M'), ('MIGUEL', 'M'), ('RAMON', 'M'),
    ('EDUARDO', 'M'), ('SEAN', 'M'), ('PATRICK', 'M'), ('ANTONIO', 'M'), ('CARLOS', 'M'), ('DANIEL', 'M'),
    ('LEE', 'M'), ('NOEL', 'M'), ('MARIA', 'F'), ('ANA', 'F'), ('ROSA', 'F'), ('GRACE', 'F'), ('MARY', 'F'),
    ('JOY', 'F'), ('CLAIRE', 'F'), ('SIOBHAN', 'F'), ('TERESA', 'F'), ('LOURDES', 'F'), ('ELENA', 'F'),
    ('CARMEN', 'F'), ('LIZA', 'F'), ('ANGELA', 'F'), ('JOAN', 'F')) v(n, s);
CREATE TEMP TABLE cities ON COMMIT DROP AS
SELECT row_number() OVER () AS i, n FROM unnest(ARRAY['PORT ELIN', 'BAYVIEW', 'SAN ROQUE', 'NORTH HILL',
    'RIVERSIDE', 'LAKE TOWN', 'ST. AGNES', 'MAPLE BAY']) n;

-- Doctors, stations, rooms and beds.
INSERT INTO patient_data.doctors (doctor_code, name, specialty)
SELECT format('D%s', lpad(g::text, 3, '0')),
       'DR. ' || f.n || ' ' || l.n,
       (ARRAY['SURGERY', 'RADIOLOGY', 'INTERNAL MEDICINE', 'PEDIATRICS', 'OBSTETRICS', 'PATHOLOGY',
              'NEPHROLOGY', 'REHABILITATION'])[1 + g % 8]
  FROM p, generate_series(1, greatest(16, (40 * p.scale)::int)) g
  JOIN first_names f ON f.i = pg_temp.pick(g, 11, 30)
  JOIN last_names l ON l.i = pg_temp.pick(g, 12, 50)
 ORDER BY g;

INSERT INTO patient_data.stations (station_code, name)
SELECT format('ST%s', g), format('NURSING STATION %s', g)
  FROM p, generate_series(1, greatest(2, ceil(150 * p.scale / 25)::int)) g;
INSERT INTO patient_data.rooms (room_code, station_code, room_class)
SELECT format('%s%s', s.g, lpad(r::text, 2, '0')), format('ST%s', s.g),
       (ARRAY['WARD', 'WARD', 'SEMI-PRIVATE', 'PRIVATE', 'ICU'])[1 + r % 5]
  FROM (SELECT generate_series(1, count(*)::int) AS g FROM patient_data.stations) s,
       generate_series(1, 5) r;
INSERT INTO patient_data.beds (bed_code, room_code, active)
SELECT room_code || '-' || chr(64 + b), room_code, true
  FROM patient_data.rooms, generate_series(1, 5) b;
-- A few beds out of service: they are not part of the bed complement.
INSERT INTO patient_data.beds (bed_code, room_code, active)
SELECT room_code || '-Z', room_code, false FROM patient_data.rooms WHERE room_code LIKE '%01';

-- Revenue codes: per department a list of services with prices.
INSERT INTO billing.revenue_codes (revenue_code, dept_code, description, unit_price, professional, report_group)
SELECT d.dept_code || lpad(g::text, 3, '0'), d.dept_code,
       d.label || ' ' || g,
       round((d.low + (d.high - d.low) * pg_temp.rnd(g * 100 + d.k, 21))::numeric, -1),
       d.prof, d.grp
  FROM (VALUES (1, 'LB', 'LABORATORY EXAMINATION', 40, 150, 1500, false, NULL::text),
               (2, 'XR', 'X-RAY VIEW', 15, 400, 2500, true, NULL),
               (3, 'US', 'ULTRASOUND STUDY', 10, 1200, 4000, true, NULL),
               (4, 'CT', 'CT SCAN STUDY', 8, 3500, 12000, true, NULL),
               (5, 'PT', 'PHYSICAL THERAPY SESSION', 6, 400, 900, false, NULL),
               (6, 'PA', 'RESPIRATORY THERAPY', 6, 300, 800, false, NULL),
               (7, 'OR', 'OPERATION', 20, 8000, 60000, true, NULL),
               (8, 'DR', 'DELIVERY', 4, 6000, 25000, true, NULL),
               (9, 'DI', 'HEMODIALYSIS', 2, 2500, 4500, true, NULL),
               (10, 'AP', 'APPARATUS USE', 10, 100, 1500, false, 'AP'),
               (11, 'PH', 'MEDICINE', 80, 20, 900, false, NULL),
               (12, 'ER', 'EMERGENCY CARE', 5, 500, 2500, true, NULL)) d(k, dept_code, label, n, low, high, prof, grp),
       generate_series(1, d.n) g;
INSERT INTO billing.revenue_codes VALUES
    ('RB001', 'RB', 'ROOM AND BOARD - WARD', 1200, false, NULL),
    ('RB002', 'RB', 'ROOM AND BOARD - SEMI-PRIVATE', 2200, false, NULL),
    ('RB003', 'RB', 'ROOM AND BOARD - PRIVATE', 3500, false, NULL),
    ('RB004', 'RB', 'ROOM AND BOARD - ICU', 8000, false, NULL),
    ('RB010', 'RB', 'CARDIAC MONITOR PER DAY', 600, false, 'AP'),
    ('MS001', 'MS', 'MEDICAL CERTIFICATE', 150, false, 'MC'),
    ('MS002', 'MS', 'MEDICO-LEGAL CERTIFICATE', 500, false, 'MC'),
    ('MS003', 'MS', 'PHOTOCOPY OF MEDICAL HISTORY', 100, false, 'MH'),
    ('MS004', 'MS', 'ABSTRACT OF MEDICAL HISTORY', 300, false, 'MH'),
    ('MS005', 'MS', 'AMBULANCE SERVICE', 2500, false, 'MI'),
    ('MS006', 'MS', 'PARKING FEES', 50, false, 'MI'),
    ('LBP01', 'LB', 'EXECUTIVE LAB PACKAGE', 2500, false, NULL),
    ('LBP02', 'LB', 'PRE-EMPLOYMENT LAB PACKAGE', 900, false, NULL),
    ('LBP03', 'LB', 'DIABETIC LAB PACKAGE', 1500, false, NULL);
INSERT INTO billing.packages VALUES
    ('LBP-EXEC', 'LB', 'EXECUTIVE LAB PACKAGE', 2500),
    ('LBP-EMPL', 'LB', 'PRE-EMPLOYMENT LAB PACKAGE', 900),
    ('LBP-DIAB', 'LB', 'DIABETIC LAB PACKAGE', 1500);
INSERT INTO billing.package_items VALUES
    ('LBP-EXEC', 'LB001', 1), ('LBP-EXEC', 'LB002', 1), ('LBP-EXEC', 'LB003', 1), ('LBP-EXEC', 'LB004', 1),
    ('LBP-EMPL', 'LB001', 1), ('LBP-EMPL', 'LB002', 1),
    ('LBP-DIAB', 'LB005', 1), ('LBP-DIAB', 'LB006', 1);

INSERT INTO reports.tbmiscellaneousrevenue (code, description) VALUES
    ('AP', 'APPARATUS'), ('MC', 'MEDICAL CERTIFICATES'), ('MH', 'MEDICAL HISTORY RECORDS'),
    ('MI', 'MISCELLANEOUS INCOME')
ON CONFLICT (code) DO NOTHING;

-- Patients: ages from newborn to 95; those 60 and over carry a senior card.
INSERT INTO patient_data.patients (hospital_no, last_name, first_name, middle_name, sex, birth_date,
                                   civil_status, address, city, senior_id, registered_on)
SELECT format('HN-%s', lpad(g::text, 7, '0')), l.n, f.n, chr(65 + pg_temp.pick(g, 3, 26) - 1) || '.', f.s,
       bd, (ARRAY['SINGLE', 'MARRIED', 'MARRIED', 'WIDOWED', 'SEPARATED'])[pg_temp.pick(g, 4, 5)],
       format('%s %s STREET', pg_temp.pick(g, 5, 300), l2.n), c.n,
       CASE WHEN bd <= p.hstart - interval '60 years' THEN format('SC-%s', g) END,
       p.hstart - 400 + pg_temp.pick(g, 6, 400)
  FROM p, generate_series(1, (20000 * p.scale * greatest(1, sqrt(p.span)))::int) g
  CROSS JOIN LATERAL (SELECT (p.hstart - (pg_temp.rnd(g, 2) * 95 * 365.25)::int) AS bd) b
  JOIN first_names f ON f.i = pg_temp.pick(g, 1, 30)
  JOIN last_names l ON l.i = pg_temp.pick(g, 0, 50)
  JOIN last_names l2 ON l2.i = pg_temp.pick(g, 7, 50)
  JOIN cities c ON c.i = pg_temp.pick(g, 8, 8)
 ORDER BY g;

-- Accounts: each patient pays for himself; companies, insurers and
-- government agencies pay for their people; suppliers are paid by us.
INSERT INTO billing.accounts (account_no, name, class_code, patient_id, credit_limit, terms_days, interest_rate)
SELECT format('P-%s', lpad(patient_id::text, 7, '0')), last_name || ', ' || first_name, '01', patient_id,
       0, 0, 0
  FROM patient_data.patients ORDER BY patient_id;
INSERT INTO billing.accounts (account_no, name, class_code, credit_limit, terms_days, interest_rate)
SELECT format('%s-%s', k.prefix, lpad(g::text, 4, '0')),
       format('%s %s %s', l.n, (ARRAY['TRADING', 'MINING', 'SHIPPING', 'FOODS', 'BANK', 'MOTORS', 'TEXTILES'])[pg_temp.pick(g, 31 + k.salt, 7)],
              k.suffix),
       k.class_code, (pg_temp.pick(g, 32 + k.salt, 20) * 25000)::numeric, k.terms, k.interest
  FROM p, (VALUES ('C', '02', 200, 'CORPORATION', 30, 12.0, 0), ('H', '03', 20, 'HEALTH PLAN', 60, 0.0, 10),
                  ('G', '04', 10, 'AGENCY', 90, 0.0, 20), ('S', '05', 50, 'SUPPLY CO.', 30, 0.0, 30))
           k(prefix, class_code, n, suffix, terms, interest, salt),
       generate_series(1, greatest(3, (k.n * p.scale)::int)) g
  CROSS JOIN LATERAL (SELECT n FROM last_names WHERE i = pg_temp.pick(g * 7 + k.salt, 33, 50)) l
 ORDER BY k.salt, g;

CREATE TEMP TABLE payers ON COMMIT DROP AS
SELECT row_number() OVER (ORDER BY account_id) AS i, account_id, terms_days
  FROM billing.accounts WHERE class_code IN ('02', '03', '04');
CREATE TEMP TABLE n_payers ON COMMIT DROP AS SELECT count(*)::int AS n FROM payers;
CREATE TEMP TABLE n_doctors ON COMMIT DROP AS SELECT count(*)::int AS n FROM patient_data.doctors;
CREATE TEMP TABLE n_patients ON COMMIT DROP AS SELECT count(*)::int AS n FROM patient_data.patients;

-- Stays: spread over the history, 1 to 12 days (a few longer), some
-- ending in death; the last ones are still in the house.
INSERT INTO patient_data.admissions (admission_no, patient_id, account_id, doctor_id, station_code,
        admission_type, diagnosis, admitted_at, discharged_at, disposition, died_at)
SELECT format('A-%s', lpad(g::text, 7, '0')), pt, acct, 1 + (g * 7 + pg_temp.pick(g, 42, 97)) % nd.n,
       format('ST%s', 1 + g % (SELECT count(*) FROM patient_data.stations)),
       (ARRAY['REGULAR', 'REGULAR', 'EMERGENCY', 'TRANSFER'])[pg_temp.pick(g, 43, 4)],
       (ARRAY['PNEUMONIA', 'DENGUE FEVER', 'ACUTE GASTROENTERITIS', 'HYPERTENSION', 'DELIVERY',
              'APPENDICITIS', 'URINARY TRACT INFECTION', 'FRACTURE', 'DIABETES MELLITUS', 'STROKE'])[pg_temp.pick(g, 44, 10)],
       adm, CASE WHEN dis <= p.hend THEN dis END,
       CASE WHEN dis <= p.hend THEN CASE WHEN died THEN 'DIED'
            ELSE (ARRAY['RECOVERED', 'IMPROVED', 'IMPROVED', 'UNIMPROVED', 'TRANSFERRED', 'HAMA'])[pg_temp.pick(g, 45, 6)] END END,
       CASE WHEN dis <= p.hend AND died THEN dis END
  FROM p, n_payers np, n_doctors nd, n_patients npt, generate_series(1, (15000 * p.scale * p.span)::int) g
  CROSS JOIN LATERAL (SELECT
        p.hstart + floor(pg_temp.rnd(g, 40) * (p.hend - p.hstart + 1))::int * interval '1 day'
          + (pg_temp.pick(g, 41, 24 * 60) - 1) * interval '1 minute' AS adm,
        CASE WHEN pg_temp.rnd(g, 46) < 0.03 THEN 14 + pg_temp.pick(g, 47, 30)
             ELSE floor(1 + pg_temp.rnd(g, 48) * pg_temp.rnd(g, 49) * 12)::int END AS los,
        pg_temp.rnd(g, 50) < 0.025 AS died,
        pg_temp.pick(g, 39, npt.n) AS pt) x
  CROSS JOIN LATERAL (SELECT x.adm + x.los * interval '1 day' + (pg_temp.pick(g, 51, 600) - 300) * interval '1 minute' AS dis0) y
  CROSS JOIN LATERAL (SELECT greatest(y.dis0, x.adm + interval '2 hours') AS dis) z
  CROSS JOIN LATERAL (SELECT CASE WHEN pg_temp.rnd(g, 52) < 0.3
                                  THEN (SELECT account_id FROM payers WHERE i = pg_temp.pick(g, 53, np.n))
                                  ELSE (SELECT account_id FROM billing.accounts WHERE patient_id = x.pt) END AS acct) a
 ORDER BY g;

INSERT INTO patient_data.bed_stays (admission_id, bed_code, from_at, to_at)
SELECT a.admission_id, b.bed_code, a.admitted_at, a.discharged_at
  FROM patient_data.admissions a
  JOIN LATERAL (SELECT bd.bed_code FROM patient_data.beds bd
                  JOIN patient_data.rooms r ON r.room_code = bd.room_code
                 WHERE bd.active AND r.station_code = a.station_code
                 ORDER BY hashint8extended(a.admission_id + hashtext(bd.bed_code), 60), bd.bed_code LIMIT 1) b ON true;

-- Out-patient visits in the clinical departments.
INSERT INTO patient_data.opd_visits (visit_no, patient_id, account_id, doctor_id, dept_code, visit_type,
                                     complaint, visited_at)
SELECT format('V-%s', lpad(g::text, 7, '0')), pt,
       CASE WHEN pg_temp.rnd(g, 72) < 0.15 THEN (SELECT account_id FROM payers WHERE i = pg_temp.pick(g, 73, np.n))
            ELSE (SELECT account_id FROM billing.accounts WHERE patient_id = pt) END,
       CASE WHEN pg_temp.rnd(g, 74) < 0.6 THEN 1 + (g * 13) % nd.n END,
       (ARRAY['LB', 'LB', 'LB', 'XR', 'XR', 'US', 'CT', 'PT', 'PA', 'DI', 'ER', 'ER'])[pg_temp.pick(g, 75, 12)],
       (ARRAY['NEW', 'REVISIT'])[pg_temp.pick(g, 76, 2)],
       (ARRAY['FEVER', 'COUGH', 'CHECK-UP', 'ABDOMINAL PAIN', 'HEADACHE', 'INJURY', 'PRE-EMPLOYMENT'])[pg_temp.pick(g, 77, 7)],
       p.hstart + floor(pg_temp.rnd(g, 70) * (p.hend - p.hstart + 1))::int * interval '1 day'
         + (7 * 60 + pg_temp.pick(g, 71, 12 * 60)) * interval '1 minute'
  FROM p, n_payers np, n_doctors nd, n_patients npt, generate_series(1, (45000 * p.scale * p.span)::int) g
  CROSS JOIN LATERAL (SELECT pg_temp.pick(g, 79, npt.n) AS pt) x
 ORDER BY g;

-- Bills: one per discharged stay (on the discharge day) and per visit.
INSERT INTO billing.bills (bill_no, account_id, patient_id, admission_id, bill_date)
SELECT format('B-I%s', lpad(admission_id::text, 7, '0')), account_id, patient_id, admission_id, discharge_date
  FROM patient_data.admissions WHERE discharged_at IS NOT NULL ORDER BY admission_id;
INSERT INTO billing.bills (bill_no, account_id, patient_id, visit_id, bill_date)
SELECT format('B-O%s', lpad(visit_id::text, 7, '0')), account_id, patient_id, visit_id, visit_date
  FROM patient_data.opd_visits ORDER BY visit_id;

CREATE TEMP TABLE codes ON COMMIT DROP AS
SELECT row_number() OVER (PARTITION BY r.dept_code ORDER BY r.revenue_code) AS i, r.*,
       count(*) OVER (PARTITION BY r.dept_code) AS n
  FROM billing.revenue_codes r WHERE r.revenue_code NOT LIKE 'LBP%';
CREATE INDEX ON codes (dept_code, i);
ANALYZE codes;

-- In-patient charges: room and board for every night, then services on the
-- days of the stay, about a dozen a day.
CREATE TEMP TABLE stay ON COMMIT DROP AS
SELECT a.admission_id, a.patient_id, a.account_id, a.doctor_id, a.admitted_at, a.admission_date,
       greatest(coalesce(a.discharge_date, p.hend) - a.admission_date, 1) AS nights,
       b.bill_id, r.room_class
  FROM p, patient_data.admissions a
  LEFT JOIN billing.bills b ON b.admission_id = a.admission_id
  JOIN patient_data.bed_stays bs ON bs.admission_id = a.admission_id
  JOIN patient_data.beds bd ON bd.bed_code = bs.bed_code
  JOIN patient_data.rooms r ON r.room_code = bd.room_code;

INSERT INTO billing.charges (business_date, posted_at, patient_type, patient_id, admission_id, account_id,
        bill_id, dept_code, revenue_code, quantity, hospital_fee, professional_fee, entered_by)
SELECT d, d + interval '23 hours', 'I', s.patient_id, s.admission_id, s.account_id, s.bill_id, 'RB',
       rc.code, 1, rc.price, 0, 'NIGHT NURSE'
  FROM p, stay s
  CROSS JOIN LATERAL generate_series(s.admission_date, s.admission_date + s.nights - 1, interval '1 day') g(dd)
  CROSS JOIN LATERAL (SELECT g.dd::date AS d) x
  CROSS JOIN LATERAL (SELECT CASE s.room_class WHEN 'WARD' THEN 'RB001' WHEN 'SEMI-PRIVATE' THEN 'RB002'
                                WHEN 'ICU' THEN 'RB004' ELSE 'RB003' END AS code) c
  JOIN LATERAL (SELECT unit_price AS price, revenue_code AS code FROM billing.revenue_codes
                 WHERE revenue_code = c.code) rc ON true
 WHERE x.d <= p.hend
 ORDER BY s.admission_id, x.d;

INSERT INTO billing.charges (business_date, posted_at, patient_type, patient_id, admission_id, account_id,
        bill_id, dept_code, revenue_code, doctor_id, quantity, hospital_fee, professional_fee, entered_by)
SELECT least(s.admission_date + day_no, p.hend), s.admitted_at + day_no * interval '1 day' + interval '3 hours',
       'I', s.patient_id, s.admission_id, s.account_id, s.bill_id, c.dept_code, c.revenue_code,
       CASE WHEN c.professional THEN 1 + (s.doctor_id + k) % nd.n END,
       q, q * c.unit_price,
       CASE WHEN c.professional THEN round(q * c.unit_price * 0.3, -1) ELSE 0 END,
       (ARRAY['NURSE ANNE', 'NURSE BEN', 'NURSE CORA', 'NURSE DAN'])[1 + k % 4]
  FROM p, n_doctors nd, stay s
  CROSS JOIN LATERAL generate_series(1, 4 + s.nights * 13) k
  CROSS JOIN LATERAL (SELECT (s.admission_id * 1000 + k)::bigint AS h) hh
  CROSS JOIN LATERAL (SELECT floor(pg_temp.rnd(hh.h, 80) * s.nights)::int AS day_no,
        (ARRAY['PH', 'PH', 'PH', 'PH', 'LB', 'LB', 'LB', 'XR', 'AP', 'AP', 'US', 'PA', 'PT', 'CT', 'OR', 'DI',
               'DR', 'ER'])[pg_temp.pick(hh.h, 81, 18)] AS dept) x
  JOIN codes c ON c.dept_code = x.dept
              AND c.i = 1 + floor(pg_temp.rnd(hh.h, 82) * pg_temp.rnd(hh.h, 83) * c.n)::int
  CROSS JOIN LATERAL (SELECT CASE WHEN x.dept IN ('PH', 'AP') THEN pg_temp.pick(hh.h, 84, 4) ELSE 1 END AS q) qq
 WHERE (x.dept NOT IN ('OR', 'DR', 'DI') OR pg_temp.rnd(hh.h, 85) < 0.15)
 ORDER BY s.admission_id, k;

-- Out-patient charges: the visit's department, sometimes a package, a
-- certificate, or a medicine.
INSERT INTO billing.charges (business_date, posted_at, patient_type, patient_id, visit_id, account_id,
        bill_id, dept_code, revenue_code, package_code, doctor_id, quantity, hospital_fee, professional_fee,
        entered_by)
SELECT v.visit_date, v.visited_at + k * interval '10 minutes', 'O', v.patient_id, v.visit_id, v.account_id,
       b.bill_id, c.dept_code, c.revenue_code, NULL,
       CASE WHEN c.professional THEN coalesce(v.doctor_id, 1 + (v.visit_id % nd.n)::int) END,
       1, c.unit_price, CASE WHEN c.professional THEN round(c.unit_price * 0.3, -1) ELSE 0 END,
       (ARRAY['CLERK EVE', 'CLERK FAY', 'CLERK GIL'])[1 + k % 3]
  FROM n_doctors nd, patient_data.opd_visits v
  JOIN billing.bills b ON b.visit_id = v.visit_id
  CROSS JOIN LATERAL generate_series(1, 1 + (hashint8extended(v.visit_id, 90) & 3)::int) k
  CROSS JOIN LATERAL (SELECT (v.visit_id * 10 + k)::bigint AS h) hh
  CROSS JOIN LATERAL (SELECT CASE WHEN k = 4 THEN 'MS' WHEN k = 3 THEN 'PH' ELSE
                             CASE v.dept_code WHEN 'ER' THEN 'ER' ELSE v.dept_code END END AS dept) x
  JOIN codes c ON c.dept_code = x.dept AND c.i = pg_temp.pick(hh.h, 91, c.n::int)
 ORDER BY v.visit_id, k;

INSERT INTO billing.charges (business_date, posted_at, patient_type, patient_id, visit_id, account_id,
        bill_id, dept_code, revenue_code, package_code, quantity, hospital_fee, professional_fee, entered_by)
SELECT v.visit_date, v.visited_at + interval '5 minutes', 'O', v.patient_id, v.visit_id, v.account_id,
       b.bill_id, 'LB', pk.code, pk.package_code, 1, pk.price, 0, 'CLERK EVE'
  FROM patient_data.opd_visits v
  JOIN billing.bills b ON b.visit_id = v.visit_id
  JOIN (VALUES (1, 'LBP01', 'LBP-EXEC', 2500), (2, 'LBP02', 'LBP-EMPL', 900), (3, 'LBP03', 'LBP-DIAB', 1500))
        pk(i, code, package_code, price) ON pk.i = pg_temp.pick(v.visit_id, 92, 3)
 WHERE v.dept_code = 'LB' AND pg_temp.rnd(v.visit_id, 93) < 0.12
 ORDER BY v.visit_id;

-- One charge in two hundred was entered wrongly and is reversed the same day.
INSERT INTO billing.charges (business_date, posted_at, patient_type, patient_id, admission_id, visit_id,
        account_id, bill_id, dept_code, revenue_code, package_code, doctor_id, quantity, hospital_fee,
        professional_fee, entered_by, reverses_charge_id)
SELECT business_date, posted_at + interval '30 minutes', patient_type, patient_id, admission_id, visit_id,
       account_id, bill_id, dept_code, revenue_code, package_code, doctor_id, -quantity, -hospital_fee,
       -professional_fee, entered_by, charge_id
  FROM billing.charges
 WHERE pg_temp.rnd(charge_id, 95) < 0.005
 ORDER BY charge_id;

-- The receivable ledger: each bill at its date, with the charges it holds.
INSERT INTO billing.ar_ledger (entry_date, entered_at, entered_by, bill_id, kind, hospital_amount, professional_amount)
SELECT b.bill_date, b.bill_date + interval '18 hours', 'BILLING', b.bill_id, 'BILL',
       coalesce(sum(c.hospital_fee), 0), coalesce(sum(c.professional_fee), 0)
  FROM billing.bills b
  LEFT JOIN billing.charges c ON c.bill_id = b.bill_id
 GROUP BY b.bill_id, b.bill_date
 ORDER BY b.bill_id;

-- Senior citizens get 20 % off the hospital part of their own bills.
INSERT INTO billing.ar_ledger (entry_date, entered_at, entered_by, bill_id, kind, adj_type, hospital_amount,
                               professional_amount, remarks)
SELECT l.entry_date, l.entered_at + interval '5 minutes', 'BILLING', l.bill_id, 'DISCOUNT', 'SC',
       -round(l.hospital_amount * 0.2, 2), 0, 'SENIOR CITIZEN 20%'
  FROM billing.ar_ledger l
  JOIN billing.bills b ON b.bill_id = l.bill_id
  JOIN patient_data.patients pt ON pt.patient_id = b.patient_id
  JOIN billing.accounts a ON a.account_id = b.account_id
 WHERE l.kind = 'BILL' AND pt.senior_id IS NOT NULL AND a.class_code = '01' AND l.hospital_amount > 0
 ORDER BY l.bill_id;

-- Small write-offs on one bill in fifty; one in ten of them entered in
-- error and reversed the same day.
INSERT INTO billing.ar_ledger (entry_date, entered_at, entered_by, bill_id, kind, adj_type, hospital_amount,
                               professional_amount, remarks)
SELECT l.entry_date + 1, l.entered_at + interval '1 day', 'BILLING', l.bill_id, 'ADJUSTMENT',
       (ARRAY['WO', 'CORR', 'PHIC'])[pg_temp.pick(l.bill_id, 101, 3)],
       -least(round(l.hospital_amount * 0.05, 2), 500), 0, 'ADJUSTMENT'
  FROM p, billing.ar_ledger l
 WHERE l.kind = 'BILL' AND pg_temp.rnd(l.bill_id, 100) < 0.02 AND l.entry_date < p.hend AND l.hospital_amount > 0
 ORDER BY l.bill_id;
INSERT INTO billing.ar_ledger (entry_date, entered_at, entered_by, bill_id, kind, adj_type, hospital_amount,
                               professional_amount, remarks, reverses_entry_id)
SELECT entry_date, entered_at + interval '10 minutes', entered_by, bill_id, kind, adj_type, -hospital_amount,
       -professional_amount, 'ENTERED IN ERROR', entry_id
  FROM billing.ar_ledger
 WHERE kind = 'ADJUSTMENT' AND pg_temp.rnd(entry_id, 102) < 0.1
 ORDER BY entry_id;

-- Payments: patients pay at the bill (most in full, some half, a few not
-- at all); companies, insurers and agencies some weeks or months later.
CREATE TEMP TABLE pay ON COMMIT DROP AS
SELECT b.bill_id, b.account_id, b.admission_id, b.visit_id, a.class_code, a.name AS payer,
       sum(l.hospital_amount) AS hosp, sum(l.professional_amount) AS prof,
       CASE WHEN a.class_code = '01' THEN b.bill_date
            ELSE b.bill_date + 10 + pg_temp.pick(b.bill_id, 110, 170) END AS pay_date,
       CASE WHEN a.class_code = '01' THEN
                 CASE WHEN pg_temp.rnd(b.bill_id, 111) < 0.85 THEN 1.0
                      WHEN pg_temp.rnd(b.bill_id, 111) < 0.95 THEN 0.5 ELSE 0 END
            ELSE CASE WHEN pg_temp.rnd(b.bill_id, 112) < 0.9 THEN 1.0 ELSE 0.6 END END AS share
  FROM billing.bills b
  JOIN billing.accounts a ON a.account_id = b.account_id
  JOIN billing.ar_ledger l ON l.bill_id = b.bill_id
 GROUP BY b.bill_id, a.class_code, a.name;
DELETE FROM pay USING p WHERE pay.share = 0 OR pay.pay_date > p.hend OR pay.hosp + pay.prof <= 0;

CREATE TEMP TABLE payr ON COMMIT DROP AS
SELECT y.*, format('RC-%s', lpad(row_number() OVER (ORDER BY y.pay_date, y.bill_id)::text, 8, '0')) AS receipt_no,
       v.dept_code AS visit_dept
  FROM pay y
  LEFT JOIN patient_data.opd_visits v ON v.visit_id = y.visit_id;

INSERT INTO billing.receipts (receipt_no, receipt_date, received_at, cashier, section, dept_code, account_id,
                              payer, pay_mode, amount)
SELECT y.receipt_no, y.pay_date, y.pay_date + interval '9 hours' + (y.bill_id % 480) * interval '1 minute',
       (ARRAY['JANE DOE', 'MARK ROE', 'ANN O''LEARY', 'TOM REY'])[pg_temp.pick(y.bill_id, 120, 4)],
       CASE WHEN y.visit_dept IN ('LB', 'XR', 'US', 'CT') THEN 'Multi Diagnostic' ELSE 'Hospital' END,
       coalesce(y.visit_dept, 'IP'), y.account_id, y.payer,
       CASE WHEN y.class_code = '01' THEN (ARRAY['CASH', 'CASH', 'CASH', 'CARD'])[pg_temp.pick(y.bill_id, 121, 4)]
            ELSE 'CHECK' END,
       round((y.hosp + y.prof) * y.share, 2)
  FROM payr y
 ORDER BY y.receipt_no;

INSERT INTO billing.ar_ledger (entry_date, entered_at, entered_by, bill_id, kind, receipt_id, hospital_amount,
                               professional_amount)
SELECT r.receipt_date, r.received_at, r.cashier, y.bill_id, 'PAYMENT', r.receipt_id,
       -round(y.hosp * y.share, 2), -(r.amount - round(y.hosp * y.share, 2))
  FROM payr y
  JOIN billing.receipts r ON r.receipt_no = y.receipt_no
 ORDER BY y.receipt_no;

-- Supplier invoices every month, paid some weeks later.
INSERT INTO billing.payables (account_id, invoice_no, invoice_date, description)
SELECT a.account_id, format('INV-%s-%s', a.account_id, m), d,
       (ARRAY['MEDICAL SUPPLIES', 'LABORATORY REAGENTS', 'LINEN SERVICE', 'MEDICINES', 'OFFICE SUPPLIES'])[pg_temp.pick(a.account_id * 100 + m, 130, 5)]
  FROM p, billing.accounts a, generate_series(0, p.months - 1) m
  CROSS JOIN LATERAL (SELECT (p.hstart + m * interval '1 month')::date + pg_temp.pick(a.account_id * 100 + m, 131, 27) AS d) x
 WHERE a.class_code = '05' AND x.d <= p.hend
 ORDER BY a.account_id, m;
INSERT INTO billing.ap_ledger (payable_id, entry_date, kind, amount)
SELECT payable_id, invoice_date, 'INVOICE', 1000 + 100 * pg_temp.pick(payable_id, 132, 400)
  FROM billing.payables ORDER BY payable_id;
INSERT INTO billing.ap_ledger (payable_id, entry_date, kind, amount)
SELECT l.payable_id, l.entry_date + 15 + pg_temp.pick(l.payable_id, 133, 120), 'PAYMENT', -l.amount
  FROM p, billing.ap_ledger l
 WHERE l.kind = 'INVOICE' AND l.entry_date + 135 <= p.hend
 ORDER BY l.payable_id;

-- Monthly accounting periods, the past ones closed.
INSERT INTO billing.accounting_periods (period_no, name, start_date, end_date, closed)
SELECT m + 1, upper(to_char(d, 'FMMonth YYYY')), d, (d + interval '1 month - 1 day')::date,
       (d + interval '1 month - 1 day')::date < date_trunc('month', p.hend)
  FROM p, generate_series(0, p.months - 1) m
  CROSS JOIN LATERAL (SELECT (p.hstart + m * interval '1 month')::date AS d) x;

SELECT billing.post_ar_to_gl() AS gl_rows;
COMMIT;

ANALYZE;

SELECT (SELECT count(*) FROM patient_data.patients) AS patients,
       (SELECT count(*) FROM patient_data.admissions) AS stays,
       (SELECT count(*) FROM patient_data.opd_visits) AS visits,
       (SELECT count(*) FROM billing.charges) AS charges,
       (SELECT count(*) FROM billing.ar_ledger) AS ledger_rows,
       (SELECT count(*) FROM billing.gl_entries) AS gl_rows,
       (SELECT min(business_date) || ' - ' || max(business_date) FROM billing.charges) AS history;
