-- Hospital statistics by the census definitions, on the fixture's March and
-- leap-year February; each user reads his own latest run.
BEGIN;
SET ROLE tester;
PREPARE stats AS SELECT * FROM patient_data.sp_adm_statistics($1, $2);

CREATE TEMP TABLE got (period text, figures text);
EXECUTE stats('03/01/2012', '03/31/2012');
EXECUTE stats('03/01/2012', '03/31/2012');
INSERT INTO got SELECT 'march', format('%s %s %s %s %s %s %s %s | %s %s %s %s %s | %s', days, bed_count,
        admissions, discharges, deaths, deaths_under_48h, inpatient_service_days, discharge_days,
        average_daily_census, bed_occupancy_rate, average_length_of_stay, gross_death_rate,
        net_death_rate, opd_visits) FROM reports.vw_statistics;
EXECUTE stats('02/01/2012', '02/29/2012');
INSERT INTO got SELECT 'february', format('%s %s %s %s %s %s %s %s | %s %s %s %s %s | %s', days, bed_count,
        admissions, discharges, deaths, deaths_under_48h, inpatient_service_days, discharge_days,
        average_daily_census, bed_occupancy_rate, average_length_of_stay, gross_death_rate,
        net_death_rate, opd_visits) FROM reports.vw_statistics;
-- A same-day stay counts one service day and one day of stay.
EXECUTE stats('03/15/2012', '03/15/2012');
INSERT INTO got SELECT 'one day', format('%s %s %s %s', days, admissions, discharges, inpatient_service_days)
  FROM reports.vw_statistics;

DO $$
BEGIN
    ASSERT (SELECT figures FROM got WHERE period = 'march')
         = '31 4 5 5 2 1 24 25 | 0.77 19.35 5.00 40.00 25.00 | 3', (SELECT figures FROM got WHERE period = 'march');
    -- February 2012 has 29 days; the one stay began on the 27th: 3 midnights.
    ASSERT (SELECT figures FROM got WHERE period = 'february')
         = '29 4 1 0 0 0 3 0 | 0.10 2.59 0.00 0.00 0.00 | 1', (SELECT figures FROM got WHERE period = 'february');
    -- 03/15: at midnight A-0001 and A-0002 had gone, A-0003 died that morning,
    -- A-0006 not yet come: nobody in the census, three discharges.
    ASSERT (SELECT figures FROM got WHERE period = 'one day') = '1 0 3 0', (SELECT figures FROM got WHERE period = 'one day');
    ASSERT (SELECT count(*) FROM reports.vw_statistics) = 1, 'a user sees more than his latest run';
END
$$;

DO $$
BEGIN
    PERFORM patient_data.sp_adm_statistics('03/31/2012', '03/01/2012');
    RAISE EXCEPTION 'a reversed period was accepted';
EXCEPTION WHEN data_exception THEN
    ASSERT (SELECT start_date FROM reports.vw_statistics) = '2012-03-15';
END
$$;
RESET ROLE;
ROLLBACK;
